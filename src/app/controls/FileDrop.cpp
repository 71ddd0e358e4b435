#include "app/controls/FileDrop.h"

#include "app/dialogs/MessageService.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <stdexcept>

namespace kalvo {

namespace {

QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile());
    return files;
}

} // namespace

TpxFileDrop::TpxFileDrop(QObject* owner) : QObject(owner)
{
}

TpxFileDrop::~TpxFileDrop()
{
    detach();
}

QList<QWidget*> TpxFileDrop::targets() const
{
    QList<QWidget*> list;
    if (!FControl)
        return list;
    list.push_back(FControl);
    // Drops on a scrolled control arrive at its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(FControl.data()))
        list.push_back(area->viewport());
    return list;
}

void TpxFileDrop::SetControl(QWidget* control)
{
    detach();
    if (!control) {
        auto* ownerWidget = qobject_cast<QWidget*>(parent());
        if (!ownerWidget)
            throw std::runtime_error("Invalidate Window Handle in FileDrop");
        control = ownerWidget->window();
    }
    attach(control);
}

void TpxFileDrop::attach(QWidget* control)
{
    FControl = control;
    for (QWidget* w : targets())
        w->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this] {
        FControl = nullptr;
        FAccept = false;
    });
    registerDrops();
}

void TpxFileDrop::detach()
{
    if (!FControl)
        return;
    for (QWidget* w : targets()) {
        w->removeEventFilter(this);
        w->setAcceptDrops(false);
    }
    disconnect(FControl, &QObject::destroyed, this, nullptr);
    FControl = nullptr;
}

void TpxFileDrop::SetAccept(bool on)
{
    FAccept = on;
    registerDrops();
}

void TpxFileDrop::registerDrops()
{
    for (QWidget* w : targets())
        w->setAcceptDrops(FAccept);
}

bool TpxFileDrop::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = localFiles(drop->mimeData());
    if (!FAccept || files.isEmpty())
        return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (type != QEvent::Drop)
        return true;
    auto* source = qobject_cast<QWidget*>(watched);
    QPoint local = drop->position().toPoint();
    if (source && FControl && source != FControl)
        local = FControl->mapFromGlobal(source->mapToGlobal(local));
    try {
        emit OnFileDrop(this, int(files.size()), files, local);
    } catch (const std::exception& e) {
        ShowFailure(e);
    }
    return true;
}

} // namespace kalvo
