#pragma once
// Loads previews off the interface thread, one at a time: a new request cancels the load in
// progress (its result is dropped) and replaces any request still waiting, so that moving
// through a folder of large pictures never queues up work nor blocks the dialog.
#include "codecs/preview/PreviewPicture.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace kalvo {

class TPreviewLoader : public QObject {
    Q_OBJECT
public:
    explicit TPreviewLoader(QObject* parent = nullptr);
    // Cancels the running load and waits for it to end.
    ~TPreviewLoader() override;

    // Called on the interface thread with the outcome of the newest request; nothing for a file
    // that does not load.
    std::function<void(const QString& fileName, const std::optional<TPreviewPicture>& preview)> OnLoaded;

    // Loads fileName for a box of box device pixels.
    void Request(const QString& fileName, QSize box);
    // Drops the running and the waiting request: no OnLoaded follows for them.
    void Cancel();
    // A request is running or waiting.
    bool Busy() const { return FRunning || FPending; }

private:
    struct TRequest {
        QString fileName;
        QSize box;
        std::shared_ptr<std::atomic<bool>> cancel;
        quint64 id = 0;
    };
    void startNext();
    void finished(const TRequest& request, std::optional<TPreviewPicture> preview);

    QThreadPool FPool;
    std::optional<TRequest> FPending;
    std::shared_ptr<std::atomic<bool>> FRunningCancel;
    bool FRunning = false;
    quint64 FNewest = 0;
};

} // namespace kalvo
