#include "canvas/tools/MoveRegionTool.h"

#include "canvas/DashedLine.h"
#include "canvas/MoveLimit.h"

#include <QPainter>

namespace kalvo {

void TMoveRegionTool::Leave()
{
    if (FActive)
        Cancel();
}

QPoint TMoveRegionTool::limited(QPoint offset) const
{
    const TRegionRef& region = Host().Region();
    if (!region)
        return offset;
    return LimitMoveOffset(offset, region->boundingRect(), Host().Bitmap().width(), Host().Bitmap().height());
}

void TMoveRegionTool::Press(const TToolMouse& m)
{
    if (m.Button != Qt::LeftButton || FActive || !Host().HasImage() || !Host().Region())
        return;
    Host().LockUpdates(true);
    FActive = true;
    Host().SetSelecting(true);
    Host().SetDragging(true);
    Host().CaptureMouse(true);
    FDragStart = Host().ScreenToImage(m.Pos);
    FMoveOffset = QPoint(0, 0);
    FSavedOutline = Host().ZoomedOutline().Points;
    // The frame is composed again without the outline (the lock keeps it out); the overlay
    // draws the saved copy at the offset.
    Host().RecomposeFrame();
}

void TMoveRegionTool::Move(const TToolMouse& m)
{
    if (!FActive)
        return;
    const QPoint offset = limited(Host().ScreenToImage(m.Pos) - FDragStart);
    if (offset == FMoveOffset)
        return;
    FMoveOffset = offset;
    Host().UpdateClient();
}

void TMoveRegionTool::endDrag()
{
    FActive = false;
    Host().CaptureMouse(false);
    Host().SetDragging(false);
    Host().SetSelecting(false);
    FSavedOutline.clear();
    FMoveOffset = QPoint(0, 0);
    Host().LockUpdates(false);
}

void TMoveRegionTool::Release(const TToolMouse& m)
{
    if (!FActive || m.Button != Qt::LeftButton)
        return;
    const QPoint offset = FMoveOffset;
    endDrag();
    if (offset != QPoint(0, 0))
        Host().CommitOutlineMove(offset.x(), offset.y());
    Host().RecomposeFrame();
}

bool TMoveRegionTool::KeyDown(const TToolKey& k)
{
    if (k.Key != Qt::Key_Escape || !FActive)
        return false;
    Cancel();
    return true;
}

void TMoveRegionTool::Cancel()
{
    if (!FActive)
        return;
    endDrag();
    Host().RecomposeFrame();
}

void TMoveRegionTool::PaintOverlay(QPainter& painter)
{
    if (!FActive)
        return;
    const TViewGeometry& v = Host().View();
    const int ox = v.Zoomed(FMoveOffset.x() - v.ScrollX) + v.ImageLeft;
    const int oy = v.Zoomed(FMoveOffset.y() - v.ScrollY) + v.ImageTop;
    const QRect clip(v.ImageLeft, v.ImageTop, v.DrawWidth + 1, v.DrawHeight + 1);
    for (std::size_t i = 0; i + 1 < FSavedOutline.size(); i += 2) {
        const QPoint a = FSavedOutline[i] + QPoint(ox, oy), b = FSavedOutline[i + 1] + QPoint(ox, oy);
        if ((a.x() < clip.left() && b.x() < clip.left()) || (a.y() < clip.top() && b.y() < clip.top())
            || (a.x() > clip.right() && b.x() > clip.right()) || (a.y() > clip.bottom() && b.y() > clip.bottom()))
            continue;
        ClippedScreenDashLine(painter, a, b, clip);
    }
}

} // namespace kalvo
