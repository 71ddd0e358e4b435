#include "canvas/tools/FillTool.h"

#include "imaging/raster/FloodFill.h"

namespace kalvo {

void TFillTool::Press(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (!host.HasImage() || (mouse.Button != Qt::LeftButton && mouse.Button != Qt::RightButton))
        return;
    const QPoint p = host.ScreenToImage(mouse.Pos);
    if (!host.IsInImage(p))
        return;
    const TToolSettings& settings = host.ToolSettings();
    const TFloodFillRequest request{p.x(), p.y(), settings.PaintAlphaChannel, settings.PaintTolerance,
                                    host.PaintColor(mouse.Button == Qt::LeftButton)};
    std::optional<QRect> changed;
    {
        TPaintBusyGuard busy(host);
        const std::optional<TBitmap>& mask = host.SelectionMask();
        changed = FloodFill(
            host.PaintBitmap(), mask ? &*mask : nullptr, host.Region(), request,
            [&host](const QRect& box) { return host.RaisePaintNotice(TToolHost::TPaintNotice::PaintImage, box); });
    }
    if (changed)
        host.BitmapPixelsChanged(*changed);
    host.InvalidateFrame();
}

} // namespace kalvo
