#include "app/dialogs/PreviewLoader.h"

namespace kalvo {

TPreviewLoader::TPreviewLoader(QObject* parent) : QObject(parent)
{
    FPool.setMaxThreadCount(1);
}

TPreviewLoader::~TPreviewLoader()
{
    Cancel();
    FPool.waitForDone();
}

void TPreviewLoader::Request(const QString& fileName, QSize box)
{
    if (FRunningCancel)
        FRunningCancel->store(true);
    FPending = TRequest{fileName, box, std::make_shared<std::atomic<bool>>(false), ++FNewest};
    startNext();
}

void TPreviewLoader::Cancel()
{
    ++FNewest;
    FPending.reset();
    if (FRunningCancel)
        FRunningCancel->store(true);
}

void TPreviewLoader::startNext()
{
    if (FRunning || !FPending)
        return;
    TRequest request = std::move(*FPending);
    FPending.reset();
    FRunning = true;
    FRunningCancel = request.cancel;
    // The destructor waits for the pool, so `this` outlives the job; the posted result is
    // discarded with the object if it is destroyed first.
    FPool.start([this, request] {
        std::optional<TPreviewPicture> preview = LoadPreviewPicture(request.fileName.toStdString(), request.box.width(),
                                                                    request.box.height(), request.cancel.get());
        QMetaObject::invokeMethod(
            this, [this, request, preview = std::move(preview)]() mutable { finished(request, std::move(preview)); },
            Qt::QueuedConnection);
    });
}

void TPreviewLoader::finished(const TRequest& request, std::optional<TPreviewPicture> preview)
{
    FRunning = false;
    FRunningCancel.reset();
    if (request.id == FNewest && !request.cancel->load() && OnLoaded)
        OnLoaded(request.fileName, preview);
    startNext();
}

} // namespace kalvo
