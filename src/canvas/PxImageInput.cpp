// Mouse input of the canvas that belongs to the view: the standard events, wheel scrolling and
// zooming, pointer enter and leave, and auto-scrolling while a gesture drags past the edge.
#include "canvas/DeviceScale.h"
#include "canvas/PxImage.h"
#include "canvas/tools/CanvasTool.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <new>

namespace kalvo {

namespace {

// Positions enter the canvas here, once, converted to client (device) pixels.
TToolMouse toolMouse(const QMouseEvent* event, QPoint client)
{
    return {event->button(), event->buttons(), event->modifiers(), client};
}

} // namespace

template <class Call>
void TpxImage::RunToolEvent(Call&& call)
{
    try {
        call();
    } catch (const std::bad_alloc&) {
        emit OnOutOfMemory();
    }
}

void TpxImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    emit OnMousedown(event->button(), event->modifiers(), p.x(), p.y());
    setFocus(Qt::MouseFocusReason);
    RunToolEvent([&] { FTool->Press(toolMouse(event, p)); });
}

void TpxImage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    RunToolEvent([&] { FTool->Move(toolMouse(event, p)); });
    emit OnMouseMove(event->modifiers(), p.x(), p.y());
}

void TpxImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    RunToolEvent([&] { FTool->Release(toolMouse(event, p)); });
    emit OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (event->button() == Qt::RightButton && FPopupMenu && !FSelecting)
        FPopupMenu->popup(event->globalPosition().toPoint());
    if (event->button() == Qt::LeftButton && viewport()->rect().contains(event->position().toPoint()))
        emit OnClick();
}

void TpxImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    // X11 sends press, release, double click, release: the double click has no press of its own.
    RunToolEvent([&] { FTool->DoubleClick(toolMouse(event, ClientPoint(event->position()))); });
}

void TpxImage::wheelEvent(QWheelEvent* event)
{
    // Ctrl + wheel zooms about the pointer; the plain wheel scrolls through the scroll bars, with
    // Shift sideways in the same steps.
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0 && HasImage()) {
            SetAutoStretch(false);
            const QPoint p = ClientPoint(event->position());
            ZoomStep(p.x(), p.y(), delta > 0);
        }
        event->accept();
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        QWheelEvent sideways(event->position(), event->globalPosition(), event->pixelDelta(), event->angleDelta(),
                             event->buttons(), event->modifiers() & ~Qt::ShiftModifier, event->phase(),
                             event->inverted(), event->source());
        QCoreApplication::sendEvent(horizontalScrollBar(), &sideways);
        event->setAccepted(sideways.isAccepted());
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void TpxImage::enterEvent(QEnterEvent* event)
{
    QAbstractScrollArea::enterEvent(event);
    FMouseOver = true;
}

void TpxImage::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    FMouseOver = false;
    emit OnMouseLeave();
}

void TpxImage::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    // A lost capture ends a gesture like Escape.
    if (FDragging || FSelecting)
        FTool->Cancel();
}

void TpxImage::CaptureMouse(bool on)
{
    if (on)
        viewport()->grabMouse();
    else
        viewport()->releaseMouse();
}

void TpxImage::UpdateClient(const QRect& area)
{
    if (area.isEmpty())
        viewport()->update();
    else
        viewport()->update(LogicalRect(area, PixelRatio()));
}

// --- Auto-scroll --------------------------------------------------------------------------------

void TpxImage::SetSelecting(bool value)
{
    FSelecting = value;
    if (value)
        FAutoScrollTimer.start();
    else
        FAutoScrollTimer.stop();
}

bool TpxImage::AutoScrollBy(QPoint p)
{
    const int cw = ClientWidth(), ch = ClientHeight();
    const int dx = p.x() < 0 ? p.x() : (p.x() > cw ? p.x() - cw : 0);
    const int dy = p.y() < 0 ? p.y() : (p.y() > ch ? p.y() - ch : 0);
    if (dx == 0 && dy == 0)
        return false;
    const int oldX = FView.ScrollX, oldY = FView.ScrollY;
    TUpdateLockGuard lock(*this);
    FView.ScrollX += dx;
    FView.ScrollY += dy;
    ClampScroll();
    if (FView.ScrollX == oldX && FView.ScrollY == oldY)
        return false;
    UpdateView();
    return true;
}

void TpxImage::AutoScrollTimerTimer()
{
    FAutoScrollTimer.stop();
    if (!FSelecting)
        return;
    AutoScrollBy(ClientPoint(viewport()->mapFromGlobal(QPointF(QCursor::pos()))));
    FAutoScrollTimer.start();
}

} // namespace kalvo
