#pragma once
// Sharpening by the unsharp mask inside the selection.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <optional>

namespace kalvo {

struct TUnsharpMask {
    int Amount = 100;   // 1..500 %
    double Sigma = 1.0; // the Gaussian's radius, 0.1..100
    int Threshold = 0;  // 0..255
    bool operator==(const TUnsharpMask&) const = default;
};

// With B the unrounded Gaussian blur of the channel value v (see GaussianRows) and d = v - B,
// v' = clamp255(Round(v + Amount/100 d)) where |d| >= Threshold, else v; inside `area` (none =
// the whole image), weighted by the mask as the negative is. False, changing nothing, unless
// the bitmap is 24-bit.
bool UnsharpMaskArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask, const TUnsharpMask& params,
                     const TProgressCallback& progress = {});
// The same from source into dest (source itself, or a bitmap of its layout whose pixels are
// undefined and then all written).
bool UnsharpMaskArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                     const TUnsharpMask& params, const TProgressCallback& progress = {});
bool UnsharpMask(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TUnsharpMask& params,
                 const TProgressCallback& progress = {});

} // namespace kalvo
