#include "canvas/tools/HandZoomTool.h"

#include "canvas/CanvasCursors.h"

namespace kalvo {

QPoint HandScrollTarget(const TViewGeometry& view, QPoint s, QPoint pointer)
{
    // Integer division truncates toward zero, as the step requires.
    return {view.ScrollX + int((long long)(s.x() - pointer.x()) * 100 / view.Zoom),
            view.ScrollY + int((long long)(s.y() - pointer.y()) * 100 / view.Zoom)};
}

void THandTool::Press(const TToolMouse& m)
{
    if (m.Button != Qt::LeftButton) {
        Host().SetDragging(false);
        return;
    }
    Host().SetDragging(true);
    Host().CaptureMouse(true);
    FDragStart = Host().ScreenToImage(m.Pos);
    Host().ApplyModeCursor();
}

void THandTool::Move(const TToolMouse& m)
{
    if (!Host().Dragging() || !Host().HasImage())
        return;
    const QPoint target = HandScrollTarget(Host().View(), Host().ImageToScreen(FDragStart), m.Pos);
    Host().ScrollTo(target.x(), target.y());
    // At either end of an axis the grab point follows the pointer, so that reversing the drag
    // scrolls back at once.
    const TViewGeometry& v = Host().View();
    const QPoint under = Host().ScreenToImage(m.Pos);
    if (v.ScrollX <= 0 || v.ScrollX + v.VisibleWidth >= v.ImageWidth)
        FDragStart.setX(under.x());
    if (v.ScrollY <= 0 || v.ScrollY + v.VisibleHeight >= v.ImageHeight)
        FDragStart.setY(under.y());
}

void THandTool::Release(const TToolMouse&)
{
    Host().SetDragging(false);
    Host().CaptureMouse(false);
    Host().ApplyModeCursor();
}

void THandTool::Cancel()
{
    Release({});
}

std::optional<QCursor> THandTool::Cursor() const
{
    return CanvasCursor(Host().Dragging() ? crHandClosed : crHandOpen, Host().PixelRatio());
}

void TZoomTool::Press(const TToolMouse& m)
{
    if (!Host().HasImage())
        return;
    Host().ZoomStepAt(m.Pos, m.Button == Qt::LeftButton);
}

std::optional<QCursor> TZoomTool::Cursor() const
{
    return CanvasCursor(crZoom, Host().PixelRatio());
}

} // namespace kalvo
