// Mouse input of the canvas that belongs to the view: the standard events, wheel scrolling and
// zooming, pointer enter and leave, and auto-scrolling while a gesture drags past the edge.
#include "canvas/PxImage.h"
#include "canvas/tools/CanvasTool.h"

#include <QCursor>
#include <QMouseEvent>
#include <QWheelEvent>

namespace kalvo {

namespace {

TToolMouse toolMouse(const QMouseEvent* event)
{
    return {event->button(), event->buttons(), event->modifiers(), event->position().toPoint()};
}

} // namespace

void TpxImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit OnMousedown(event->button(), event->modifiers(), p.x(), p.y());
    setFocus(Qt::MouseFocusReason);
    FTool->Press(toolMouse(event));
}

void TpxImage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FTool->Move(toolMouse(event));
    emit OnMouseMove(event->modifiers(), p.x(), p.y());
}

void TpxImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FTool->Release(toolMouse(event));
    emit OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (event->button() == Qt::RightButton && FPopupMenu && !FSelecting)
        FPopupMenu->popup(event->globalPosition().toPoint());
    if (event->button() == Qt::LeftButton && viewport()->rect().contains(p))
        emit OnClick();
}

void TpxImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    // X11 sends press, release, double click, release: the double click has no press of its own.
    FTool->DoubleClick(toolMouse(event));
    emit OnDblClick();
}

void TpxImage::wheelEvent(QWheelEvent* event)
{
    // Ctrl + wheel zooms about the pointer; the plain wheel scrolls through the scroll bars.
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0 && HasImage()) {
            SetAutoStretch(false);
            const QPoint p = event->position().toPoint();
            ZoomStep(p.x(), p.y(), delta > 0);
        }
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void TpxImage::enterEvent(QEnterEvent* event)
{
    QAbstractScrollArea::enterEvent(event);
    FMouseOver = true;
    emit OnMouseEnter();
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
        viewport()->update(area);
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
    AutoScrollBy(viewport()->mapFromGlobal(QCursor::pos()));
    FAutoScrollTimer.start();
}

} // namespace kalvo
