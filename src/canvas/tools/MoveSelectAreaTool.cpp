#include "canvas/tools/MoveSelectAreaTool.h"

#include "image/RegionConvert.h"

#include <QPainter>

#include <utility>

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
    if (m.Button != Qt::LeftButton || FDrag.Active() || !Host().HasImage() || !Host().Region())
        return;
    // The copies first: without memory for them the drag does not start.
    TRegionRef scaled = ScaleRegion(Host().Region(), Host().ZoomFactor());
    TRegion from = *Host().Region();
    FDrag.Begin(m.Pos, FFloatOffset);
    FCopyMode = m.Modifiers.testFlag(Qt::ShiftModifier);
    Host().ApplyModeCursor();
    FScaledSelection = std::move(scaled);
    FScaledZoom = Host().View().Zoom;
    FScaledFrom = std::move(from);
    Host().UpdateClient();
}

void TMoveSelectAreaTool::Move(const TToolMouse& m)
{
    if (FDrag.Follow(m.Pos, FFloatOffset))
        Host().UpdateClient();
}

void TMoveSelectAreaTool::Release(const TToolMouse& m)
{
    if (FDrag.EndOnRelease(m.Button))
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
    if (k.Key == Qt::Key_Escape && FDrag.Active()) {
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
    if (FDrag.Active())
        setCopyMode(k.Key != Qt::Key_Shift && k.Modifiers.testFlag(Qt::ShiftModifier));
    return false;
}

void TMoveSelectAreaTool::Cancel()
{
    Abandon();
}

void TMoveSelectAreaTool::Abandon()
{
    FDrag.End();
    FScaledSelection.reset();
    FFloatOffset = QPoint(0, 0);
    Host().UpdateClient();
}

bool TMoveSelectAreaTool::floating() const
{
    return Host().Region() && Host().HasImage() && (FFloatOffset != QPoint(0, 0) || FDrag.Active());
}

QPoint TMoveSelectAreaTool::outlineShift() const
{
    const TViewGeometry& v = Host().View();
    return {v.ImageLeft - v.Zoomed(v.ScrollX - FFloatOffset.x()), v.ImageTop - v.Zoomed(v.ScrollY - FFloatOffset.y())};
}

QRect TMoveSelectAreaTool::displayedClip() const
{
    const TViewGeometry& v = Host().View();
    return QRect(v.ImageLeft, v.ImageTop, v.DrawWidth + 1, v.DrawHeight + 1);
}

QRect TMoveSelectAreaTool::MarchingOutlineArea() const
{
    if (!floating() || Host().ZoomedOutline().Points.empty())
        return {};
    return ShiftedOutlineBounds(Host().ZoomedOutline().Box, outlineShift(), displayedClip());
}

void TMoveSelectAreaTool::PaintOverlay(QPainter& painter)
{
    const TRegionRef& region = Host().Region();
    if (!floating())
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
    // The outline goes with the pixels and marches with the ants.
    DrawShiftedOutline(painter, Host().ZoomedOutline().Points, outlineShift(), displayedClip(), Host().AntsPhase());
}

} // namespace kalvo
