#include "canvas/tools/RectEllipseTool.h"

#include "canvas/DashedLine.h"
#include "canvas/tools/RubberBand.h"

namespace kalvo {

TRegion EllipseSelection(QPoint c, QPoint e, bool circle, int w, int h)
{
    const TRect box = EllipseBox(c, e, circle).normalized();
    if (box.right <= 0 || box.bottom <= 0 || box.left >= w || box.top >= h || box.isEmpty())
        return TRegion();
    TRegion clipped;
    TRegion::combine(clipped, TRegion::ellipse(box), TRegion::rect({0, 0, w, h}), RGN_AND);
    return clipped;
}

void TRectEllipseTool::OwnPress(const TToolMouse& m)
{
    RectPress(m);
}

void TRectEllipseTool::OwnMove(const TToolMouse& m)
{
    RectMove(m);
}

void TRectEllipseTool::OwnRelease(const TToolMouse& m)
{
    RectRelease(m);
}

TRegionRef TRectEllipseTool::BuildRegion()
{
    if (Mode() == mmSelectRect)
        return RectRegion();
    const TBitmap& bitmap = Host().Bitmap();
    return EllipseSelection(Anchor(), CurrentPoint(), AltDown(), bitmap.width(), bitmap.height());
}

void TRectEllipseTool::PaintOwnOverlay(QPainter& painter)
{
    if (Mode() == mmSelectRect) {
        PaintRectBand(painter);
        return;
    }
    const QPoint c = Host().ImageToScreen(Anchor());
    const QPoint e = Host().ImageToScreen(CurrentPoint());
    const TPoints polyline = EllipseBandPolyline(Host().View(), EllipseBox(c, e, AltDown()));
    for (std::size_t i = 1; i < polyline.size(); ++i)
        ScreenDashLine(painter, polyline[i - 1], polyline[i]);
}

} // namespace kalvo
