#pragma once
// Changing the canvas around a picture: crop to a rectangle, or a new width and height with the
// picture placed by an anchor and the new area filled.
#include "image/Bitmap.h"
#include "image/Color.h"

#include <QRect>

namespace kalvo {

// Where the picture sits on the new canvas along one side: 0 = left or top, 1 = centre,
// 2 = right or bottom.
enum class TAnchorPart { Start = 0, Centre = 1, End = 2 };

struct TAnchor {
    TAnchorPart horizontal = TAnchorPart::Start;
    TAnchorPart vertical = TAnchorPart::Start;
};

// The offset of the picture's first pixel on the new side (negative when it is cut). Centred is
// newSide / 2 - oldSide / 2, each halved on its own, as ImageMagick's gravity places it.
int AnchorOffset(int oldSide, int newSide, TAnchorPart part);

// A width x height bitmap of the source's depth, palette and transparency with the source drawn
// at (left, top), cut at the edges, and every other pixel set to the fill colour (the nearest
// palette entry on a palette picture). Throws EPxImageError for an empty source or a size below
// 1, EInvalidGraphic for a size beyond the bitmap bounds.
TBitmap PlaceOnCanvas(const TBitmap& source, int width, int height, int left, int top, TColor fill);

// PlaceOnCanvas with the offset given by the anchor.
TBitmap ResizeCanvas(const TBitmap& source, int width, int height, TAnchor anchor, TColor fill);

// The part of the source inside rect (cut to the picture), at its depth with its palette.
// Throws EPxImageError when rect and the picture do not overlap.
TBitmap CropBitmap(const TBitmap& source, const QRect& rect);

} // namespace kalvo
