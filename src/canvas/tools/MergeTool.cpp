#include "canvas/tools/MergeTool.h"

#include "image/RegionConvert.h"

#include <QPainter>

namespace kalvo {

void TMergeTool::Enter()
{
    FFloatOffset = QPoint(Host().View().ScrollX, Host().View().ScrollY);
}

void TMergeTool::Leave()
{
    FDrag.End();
    FPicture.clear();
    FPasteRegion.reset();
    FScaledPasteRegion.reset();
}

void TMergeTool::SetPicture(const TBitmap& picture, const TRegionRef& region)
{
    FPicture = picture;
    FPasteRegion = region;
    FScaledZoom = 0;
    Host().UpdateClient();
}

void TMergeTool::rescale()
{
    const int zoom = Host().View().Zoom;
    if (FScaledZoom == zoom)
        return;
    FScaledZoom = zoom;
    const TRegionRef shape = FPasteRegion ? FPasteRegion
                                          : TRegionRef(TRegion::rect({0, 0, FPicture.width(), FPicture.height()}));
    FScaledPasteRegion = ScaleRegion(shape, Host().ZoomFactor());
    FScaledFrame = FScaledPasteRegion ? InnerFrame(*FScaledPasteRegion) : TRegion();
}

void TMergeTool::Press(const TToolMouse& m)
{
    if (m.Button != Qt::LeftButton || FDrag.Active() || !Host().HasImage())
        return;
    FDrag.Begin(m.Pos, FFloatOffset);
    Host().UpdateClient();
}

void TMergeTool::Move(const TToolMouse& m)
{
    if (FDrag.Follow(m.Pos, FFloatOffset))
        Host().UpdateClient();
}

void TMergeTool::Release(const TToolMouse& m)
{
    if (FDrag.EndOnRelease(m.Button))
        Host().UpdateClient();
}

bool TMergeTool::KeyDown(const TToolKey& k)
{
    if (k.Key != Qt::Key_Escape || !FDrag.Active())
        return false;
    Cancel();
    return true;
}

void TMergeTool::Cancel()
{
    // An interrupted drag leaves the picture where it was last shown.
    if (!FDrag.Active())
        return;
    FDrag.End();
    Host().UpdateClient();
}

void TMergeTool::PaintOverlay(QPainter& painter)
{
    if (FPicture.empty() || !Host().HasImage())
        return;
    rescale();
    if (!FScaledPasteRegion)
        return;
    const TViewGeometry& v = Host().View();
    const int dx = v.Zoomed(v.ScrollX - FFloatOffset.x()), dy = v.Zoomed(v.ScrollY - FFloatOffset.y());
    TRegionRef shape = *FScaledPasteRegion;
    shape->offset(-dx, -dy);
    if (ShowsPlaceholder(v.Zoom)) {
        TRegion frame = FScaledFrame;
        frame.offset(-dx, -dy);
        DrawHatchedPlaceholder(painter, v, *shape, frame);
        return;
    }
    FPreview.DrawStretched(painter, v, FPicture, {0, 0, FPicture.width(), FPicture.height()}, QPoint(-dx, -dy),
                           FPasteRegion ? shape : TRegionRef());
}

} // namespace kalvo
