#pragma once
// Filling a region of an image of any depth with a colour: the nearest palette entry on palette
// images, the colour itself on true-colour images.
#include "image/Bitmap.h"
#include "image/Region.h"

#include <cstdint>

namespace kalvo {

// The stored value of a colour at the image's depth (palette index among the entries the depth
// can address, 5-5-5 word, or colour); false when a palette image has no entry to use.
bool StoredColorValue(const TBitmap& image, TColor color, std::uint32_t& value);

// Fills the part of the region on the image with the colour; false (nothing changed) when a
// palette image has no entry to use.
bool FillRegionColor(TBitmap& image, const TRegion& region, TColor color);

} // namespace kalvo
