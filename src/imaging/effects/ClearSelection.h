#pragma once
// Clearing the selection to the background colour.
#include "image/Bitmap.h"
#include "image/Region.h"

#include <QRect>

#include <optional>

namespace kalvo {

// Every pixel of a 24-bit bitmap becomes (a * old + (255 - a) * background) div 255 per channel,
// a = the mask value (pixels outside the mask keep their value). Returns false, changing nothing,
// unless the bitmap is 24-bit and the mask 8-bit.
bool ClearThroughMask(TBitmap& bitmap, const TBitmap& mask, TColor background);

// A copy of the image with the selection cleared: through the mask when there is one and the
// image is 24-bit, otherwise the region filled with the background colour (the nearest palette
// entry on palette images; nothing on a palette image without entries). None without a region.
std::optional<TBitmap> ClearSelection(const TBitmap& image, const TRegionRef& region, const TBitmap* mask,
                                      TColor background);
// The same on the image itself. False, changing nothing, where ClearSelection yields none.
bool ClearSelectionInPlace(TBitmap& image, const TRegionRef& region, const TBitmap* mask, TColor background);
// The box of the pixels the clear can change: those of the mask below 255 when it goes through
// the mask, else the region's bounding box; within the image.
QRect ClearedArea(const TBitmap& image, const TRegionRef& region, const TBitmap* mask);

} // namespace kalvo
