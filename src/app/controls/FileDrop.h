#pragma once
// Receives files dropped from the desktop on a control and reports their full names with the
// drop point in the control's coordinates.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace kalvo {

class TpxFileDrop : public QObject {
    Q_OBJECT
public:
    // owner is the form the receiver belongs to; it receives drops while no control is set.
    explicit TpxFileDrop(QObject* owner);
    ~TpxFileDrop() override;

    QWidget* Control() const { return FControl; }
    // Attaches to control (nullptr: the owning form). Throws std::runtime_error
    // "Invalidate Window Handle in FileDrop" when there is neither a control nor an owning form.
    void SetControl(QWidget* control);
    bool Accept() const { return FAccept; }
    void SetAccept(bool on);

signals:
    // num files were dropped at point (control coordinates). A failure raised by a receiver is
    // shown as an error message.
    void OnFileDrop(QObject* sender, int num, const QStringList& files, QPoint point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attach(QWidget* control);
    void detach();
    void registerDrops();
    QList<QWidget*> targets() const;

    QPointer<QWidget> FControl;
    bool FAccept = true;
};

} // namespace kalvo
