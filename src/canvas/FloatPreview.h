#pragma once
// Drawing floating pixels over the frame: a part of a bitmap stretched nearest-neighbour onto a
// frame rectangle and clipped to a zoomed region, the hole a moved selection leaves, and the
// hatched placeholder of a floating paste. Everything is drawn with the painter of the paint
// step in client coordinates; frame coordinates are offset by the image's place in the client.
#include "canvas/ViewGeometry.h"
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Region.h"

#include <QImage>
#include <QPainter>

namespace kalvo {

class TFloatPreview {
public:
    // Stretches source columns and rows of `from` onto the frame rectangle whose top-left corner
    // is `at` and whose size is the zoomed size of `from` (frame column x shows source column
    // from.left + min(x * 100 / zoom, width - 1), as the frame does), clipped to `clip` (frame
    // coordinates, absent: no clip) and to the displayed image. Only the visible part is
    // stretched.
    void DrawStretched(QPainter& painter, const TViewGeometry& view, const TBitmap& source, const TRect& from,
                       QPoint at, const TRegionRef& clip);

private:
    QImage FScratch;
};

// Fills a region given in frame coordinates with a colour, clipped to the displayed image.
void FillFrameRegion(QPainter& painter, const TViewGeometry& view, const TRegion& region, TColor color);

// The placeholder: the region (frame coordinates) hatched with a diagonal cross in 0x444444 on
// what lies below, and its inner one-pixel frame in 0xDDDDDD.
void DrawHatchedPlaceholder(QPainter& painter, const TViewGeometry& view, const TRegion& region, const TRegion& frame);
// The zoomed outline shifted by `shift` (client pixels) as the screen dash with the given phase,
// clipped to clip; a segment lying wholly on one outer side of clip is skipped without plotting.
void DrawShiftedOutline(QPainter& painter, const TPoints& zoomed, QPoint shift, const QRect& clip, int phase = 0);
// The client rectangle the zoomed outline with bounding box `box` covers when shifted by `shift`,
// within clip.
QRect ShiftedOutlineBounds(const TRect& box, QPoint shift, const QRect& clip);
// The one-pixel frame just inside a region: its pixels with a 4-neighbour outside it.
TRegion InnerFrame(const TRegion& region);

} // namespace kalvo
