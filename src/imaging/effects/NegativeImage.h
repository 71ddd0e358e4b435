#pragma once
// The negative: colours inverted inside the selection, weighted by the selection mask.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <optional>

namespace kalvo {

// Inverts a 24-bit bitmap inside `area` (the selection's bounding box; none = the whole image):
// with c = mask / 255 each channel d becomes Round(d * c + (1 - c) * (255 - d)). A null mask
// selects everything; pixels outside the mask are left alone. The progress callback, when given,
// receives the percentage of rows done before each row. Returns false, changing nothing, unless
// the bitmap is 24-bit.
bool NegativeImageArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                       const TProgressCallback& progress = {});

// The negative inside the selection: the area is the region's bounding box (the whole image
// with no region); without a mask the region itself selects (inside fully, outside not at all).
bool NegativeImage(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask,
                   const TProgressCallback& progress = {});

// The same from source into dest, a bitmap of source's size and depth whose pixels may be
// anything (TBitmap::sameLayout): each row is copied and inverted while in the cache, so every
// pixel is read and written once. dest may be source itself.
bool NegativeImageInto(const TBitmap& source, TBitmap& dest, const TRegionRef& region, const TBitmap* mask,
                       const TProgressCallback& progress = {});

} // namespace kalvo
