#include "canvas/tools/MagicWandTool.h"

#include "canvas/CanvasCursors.h"
#include "canvas/PxImage.h"
#include "image/RegionConvert.h"
#include "imaging/raster/FloodMask.h"

namespace kalvo {

void TMagicWandTool::OwnPress(const TToolMouse& m)
{
    if (!Host().HasImage() || !Host().IsInDisplayedImage(m.Pos))
        return;
    SetAnchor(Host().ScreenToImage(m.Pos));
    FinishSelection();
}

void TMagicWandTool::OwnRelease(const TToolMouse&)
{
    Host().SetDragging(false);
}

TRegionRef TMagicWandTool::BuildRegion()
{
    Host().ShowBusyCursor();
    const QPoint seed = Anchor();
    if (!Host().IsInImage(seed))
        return std::nullopt;
    const std::optional<TBitmap> mask = FloodMask(Host().Bitmap(), seed.x(), seed.y(),
                                                  Host().ToolSettings().MagicWandTolerance);
    if (!mask)
        return std::nullopt;
    return MonoBitmapToRegion(*mask);
}

int TMagicWandTool::CursorNumber(int combineMode) const
{
    return combineMode == RGN_OR ? crMagicWandAdd : combineMode == RGN_DIFF ? crMagicWandSubtract : crMagicWand;
}

void TPointTool::OwnPress(const TToolMouse& m)
{
    if (!Host().HasImage())
        return;
    const QPoint p = Host().ScreenToImage(m.Pos);
    if (!Host().IsInImage(p))
        return;
    const TColor color = Host().Bitmap().pixelColor(p.x(), p.y());
    const Qt::MouseButton button = m.Button;
    TToolHost& host = Host();
    // This tool is replaced by the mode change; it stays alive until the event returns.
    host.ChangeMouseMode(host.PreviousMouseMode());
    host.RaisePointSelected(button, color);
}

void TPointTool::OwnRelease(const TToolMouse&)
{
    Host().SetDragging(false);
}

} // namespace kalvo
