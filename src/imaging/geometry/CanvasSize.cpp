#include "imaging/geometry/CanvasSize.h"

#include "image/ImageErrors.h"
#include "image/PaintBitmap.h"
#include "image/RectOps.h"

namespace kalvo {

int AnchorOffset(int oldSide, int newSide, TAnchorPart part)
{
    switch (part) {
    case TAnchorPart::Start: return 0;
    case TAnchorPart::Centre: return newSide / 2 - oldSide / 2;
    case TAnchorPart::End: break;
    }
    return newSide - oldSide;
}

TBitmap PlaceOnCanvas(const TBitmap& source, int width, int height, int left, int top, TColor fill)
{
    if (source.empty())
        throw EPxImageError("PlaceOnCanvas: The source image is empty.");
    if (width < 1 || height < 1)
        throw EPxImageError("PlaceOnCanvas: Invalid size.");
    TBitmap result(width, height, source.bitCount());
    result.setPalette(source.palette());
    result.setTransparent(source.transparent());
    result.setTransparentColor(source.transparentColor());
    const QRect covered = IntersectRects(QRect(left, top, source.width(), source.height()), QRect(0, 0, width, height));
    if (covered != QRect(0, 0, width, height))
        FillRegion(result, TRegionRef{}, fill);
    CopyBitmapClipped(result, source, left, top, TRegionRef{});
    return result;
}

TBitmap ResizeCanvas(const TBitmap& source, int width, int height, TAnchor anchor, TColor fill)
{
    return PlaceOnCanvas(source, width, height, AnchorOffset(source.width(), width, anchor.horizontal),
                         AnchorOffset(source.height(), height, anchor.vertical), fill);
}

TBitmap CropBitmap(const TBitmap& source, const QRect& rect)
{
    const QRect kept = IntersectRects(rect, QRect(0, 0, source.width(), source.height()));
    if (kept.isEmpty())
        throw EPxImageError("CropBitmap: The rectangle lies outside the image.");
    return PlaceOnCanvas(source, kept.width(), kept.height(), -kept.left(), -kept.top(), clWhite);
}

} // namespace kalvo
