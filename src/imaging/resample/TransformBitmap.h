#pragma once
// Point-sampling transform: every destination pixel copies one source pixel at the source's
// depth, keeping the pixel format and the palette.
#include "image/Bitmap.h"

#include <QPoint>

namespace kalvo {

// Source and destination sizes handed to the point mapping.
struct TResizeContext {
    int SrcWidth = 0;
    int SrcHeight = 0;
    int DstWidth = 0;
    int DstHeight = 0;
};

// Gives the source point for destination point dst.
using TMapPointFunc = QPoint (*)(QPoint dst, const TResizeContext& context);

// A new bitmap newWidth x newHeight with the source's depth, palette and transparency, pixel
// (x, y) copied from source pixel mapPoint((x, y)); a source point outside the source leaves the
// destination pixel 0. Throws EPxImageError for an empty source or a size below 1, and
// EInvalidGraphic for a size beyond the bitmap bounds.
TBitmap TransformBitmap(const TBitmap& source, int newWidth, int newHeight, const TResizeContext& context,
                        TMapPointFunc mapPoint);

} // namespace kalvo
