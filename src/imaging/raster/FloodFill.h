#pragma once
// The paint tool's flood fill: the colour area around a pixel filled through the selection.
#include "image/Bitmap.h"
#include "image/Region.h"

#include <QRect>

#include <functional>
#include <optional>

namespace kalvo {

struct TFloodFillRequest {
    int X = 0, Y = 0;  // the clicked image pixel
    int Alpha = 0;     // transparency 0..100 (24 bits only)
    int Tolerance = 0; // colour tolerance 0..200, as the magic wand's
    TColor Color = 0;
};

// Fills the area FloodMask finds around the pixel across the whole image and writes only its
// selected part: at 24 bits each filled pixel becomes (a * old + (100 - a) * colour) div 100 per
// channel, mixed in through the selection mask when there is one (BlendThroughMask), else
// clipped to the region (absent: no clipping); at 1, 4 and 8 bits the filled pixels inside the
// region take the colour's nearest palette index and the transparency is ignored; 16- and
// 32-bit images blend the pixels' colours as 24 bits do, clipped to the region.
// `beforeChange` runs once the fill is known to happen, while the image is still unchanged.
// Returns the rectangle that may have changed, or nullopt when nothing happens (pixel outside
// the image, no usable palette entry).
std::optional<QRect> FloodFill(TBitmap& image, const TBitmap* selectionMask, const TRegionRef& region,
                               const TFloodFillRequest& request, const std::function<void()>& beforeChange);
// The same, telling beforeChange the rectangle that may change; when it answers false nothing is
// written and the result is nullopt.
std::optional<QRect> FloodFill(TBitmap& image, const TBitmap* selectionMask, const TRegionRef& region,
                               const TFloodFillRequest& request, const std::function<bool(const QRect&)>& beforeChange);

} // namespace kalvo
