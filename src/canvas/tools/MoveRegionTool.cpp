#include "canvas/tools/MoveRegionTool.h"

#include "canvas/FloatPreview.h"
#include "canvas/MoveLimit.h"

#include <QPainter>

#include <utility>

namespace kalvo {

void TMoveRegionTool::Leave()
{
    if (FDrag.Active())
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
    if (m.Button != Qt::LeftButton || FDrag.Active() || !Host().HasImage() || !Host().Region())
        return;
    // The copy first: without memory for it the drag does not start.
    TPoints saved = Host().ZoomedOutline().Points;
    FDrag.Begin(m.Pos, QPoint(0, 0));
    FMoveOffset = QPoint(0, 0);
    FSavedOutline = std::move(saved);
    // The frame is composed again without the outline (the lock keeps it out); the overlay
    // draws the saved copy at the offset.
    Host().RecomposeFrame();
}

void TMoveRegionTool::Move(const TToolMouse& m)
{
    if (!FDrag.Active())
        return;
    const QPoint offset = limited(FDrag.OffsetAt(m.Pos));
    if (offset == FMoveOffset)
        return;
    FMoveOffset = offset;
    Host().UpdateClient();
}

void TMoveRegionTool::endDrag()
{
    FDrag.End();
    FSavedOutline.clear();
    FMoveOffset = QPoint(0, 0);
}

void TMoveRegionTool::Release(const TToolMouse& m)
{
    if (!FDrag.Active() || m.Button != Qt::LeftButton)
        return;
    const QPoint offset = FMoveOffset;
    endDrag();
    if (offset != QPoint(0, 0))
        Host().CommitOutlineMove(offset.x(), offset.y());
    Host().RecomposeFrame();
}

bool TMoveRegionTool::KeyDown(const TToolKey& k)
{
    if (k.Key != Qt::Key_Escape || !FDrag.Active())
        return false;
    Cancel();
    return true;
}

void TMoveRegionTool::Cancel()
{
    if (!FDrag.Active())
        return;
    endDrag();
    Host().RecomposeFrame();
}

void TMoveRegionTool::PaintOverlay(QPainter& painter)
{
    if (!FDrag.Active())
        return;
    const TViewGeometry& v = Host().View();
    const int ox = v.Zoomed(FMoveOffset.x() - v.ScrollX) + v.ImageLeft;
    const int oy = v.Zoomed(FMoveOffset.y() - v.ScrollY) + v.ImageTop;
    DrawShiftedOutline(painter, FSavedOutline, QPoint(ox, oy),
                       QRect(v.ImageLeft, v.ImageTop, v.DrawWidth + 1, v.DrawHeight + 1));
}

} // namespace kalvo
