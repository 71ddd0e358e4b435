#include "canvas/tools/MoveSelectAreaTool.h"

#include "canvas/DashedLine.h"
#include "image/RegionConvert.h"

#include <QPainter>

namespace kalvo {

void TMoveSelectAreaTool::Enter()
{
    FFloatOffset = QPoint(0, 0);
    FCopyMode = false;
}

void TMoveSelectAreaTool::Leave()
{
    // Leaving the mode discards the preview without writing.
    Abandon();
}

void TMoveSelectAreaTool::Press(const TToolMouse& m)
{
    if (m.Button != Qt::LeftButton || FDragging || !Host().HasImage() || !Host().Region())
        return;
    Host().LockUpdates(true);
    FDragging = true;
    Host().SetSelecting(true);
    Host().SetDragging(true);
    Host().CaptureMouse(true);
    FDragStart = Host().ScreenToImage(m.Pos) - FFloatOffset;
    FCopyMode = m.Modifiers.testFlag(Qt::ShiftModifier);
    Host().ApplyModeCursor();
    FScaledSelection = ScaleRegion(Host().Region(), Host().ZoomFactor());
    FScaledZoom = Host().View().Zoom;
    FScaledFrom = *Host().Region();
    Host().UpdateClient();
}

void TMoveSelectAreaTool::Move(const TToolMouse& m)
{
    if (!FDragging)
        return;
    const QPoint offset = Host().ScreenToImage(m.Pos) - FDragStart;
    if (offset == FFloatOffset)
        return;
    FFloatOffset = offset;
    Host().UpdateClient();
}

void TMoveSelectAreaTool::endDrag()
{
    FDragging = false;
    Host().CaptureMouse(false);
    Host().SetDragging(false);
    Host().SetSelecting(false);
    Host().LockUpdates(false);
}

void TMoveSelectAreaTool::Release(const TToolMouse& m)
{
    if (!FDragging || m.Button != Qt::LeftButton)
        return;
    endDrag();
    Host().UpdateClient();
}

void TMoveSelectAreaTool::setCopyMode(bool value)
{
    if (value == FCopyMode)
        return;
    FCopyMode = value;
    Host().UpdateClient();
}

bool TMoveSelectAreaTool::KeyDown(const TToolKey& k)
{
    if (k.Key == Qt::Key_Escape && FDragging) {
        Abandon();
        return true;
    }
    // The Shift key's own press does not always carry its modifier.
    const bool shift = k.Key == Qt::Key_Shift || k.Modifiers.testFlag(Qt::ShiftModifier);
    const bool ctrl = k.Key == Qt::Key_Control || k.Modifiers.testFlag(Qt::ControlModifier);
    if (shift && !ctrl)
        setCopyMode(true);
    else if (!shift && !ctrl)
        setCopyMode(false);
    return false;
}

bool TMoveSelectAreaTool::KeyUp(const TToolKey& k)
{
    if (FDragging)
        setCopyMode(k.Key != Qt::Key_Shift && k.Modifiers.testFlag(Qt::ShiftModifier));
    return false;
}

void TMoveSelectAreaTool::Cancel()
{
    Abandon();
}

void TMoveSelectAreaTool::Abandon()
{
    if (FDragging)
        endDrag();
    FScaledSelection.reset();
    FFloatOffset = QPoint(0, 0);
    Host().UpdateClient();
}

void TMoveSelectAreaTool::PaintOverlay(QPainter& painter)
{
    const TRegionRef& region = Host().Region();
    if (!region || !Host().HasImage() || (FFloatOffset == QPoint(0, 0) && !FDragging))
        return;
    const TViewGeometry& v = Host().View();
    if (!FScaledSelection || FScaledZoom != v.Zoom || !(FScaledFrom == *region)) {
        FScaledSelection = ScaleRegion(region, Host().ZoomFactor());
        FScaledZoom = v.Zoom;
        FScaledFrom = *region;
    }
    if (!FScaledSelection)
        return;
    if (!FCopyMode) {
        TRegion hole = *FScaledSelection;
        hole.offset(-v.Zoomed(v.ScrollX), -v.Zoomed(v.ScrollY));
        FillFrameRegion(painter, v, hole, Host().DisplayBackgroundColor());
    }
    const int p = v.Zoomed(v.ScrollX - FFloatOffset.x()), q = v.Zoomed(v.ScrollY - FFloatOffset.y());
    const TRect box = region->boundingRect();
    TRegionRef clip = *FScaledSelection;
    clip->offset(-p, -q);
    FPreview.DrawStretched(painter, v, Host().Bitmap(), box, QPoint(v.Zoomed(box.left) - p, v.Zoomed(box.top) - q),
                           clip);
    // The outline goes with the pixels.
    const TPoints& outline = Host().ZoomedOutline().Points;
    const QPoint shift(v.ImageLeft - p, v.ImageTop - q);
    const QRect shown(v.ImageLeft, v.ImageTop, v.DrawWidth + 1, v.DrawHeight + 1);
    for (std::size_t i = 0; i + 1 < outline.size(); i += 2) {
        const QPoint a = outline[i] + shift, b = outline[i + 1] + shift;
        if ((a.x() < shown.left() && b.x() < shown.left()) || (a.y() < shown.top() && b.y() < shown.top())
            || (a.x() > shown.right() && b.x() > shown.right()) || (a.y() > shown.bottom() && b.y() > shown.bottom()))
            continue;
        ClippedScreenDashLine(painter, a, b, shown);
    }
}

} // namespace kalvo
