#pragma once
// Gaussian blur inside the selection.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <optional>

namespace kalvo {

// Every selected pixel of `area` (none = the whole image) becomes Round(B) with B the Gaussian
// blur of radius sigma (0.1..100; see GaussianRows), which also gathers from pixels outside the
// selection; weighted by the mask as the negative is. False, changing nothing, unless the bitmap
// is 24-bit.
bool GaussianBlurArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask, double sigma,
                      const TProgressCallback& progress = {});
// The same from source into dest (source itself, or a bitmap of its layout whose pixels are
// undefined and then all written). False, changing nothing, unless both are 24-bit and of one
// size.
bool GaussianBlurArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                      double sigma, const TProgressCallback& progress = {});
bool GaussianBlur(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, double sigma,
                  const TProgressCallback& progress = {});

// The rows and columns of `area` an operation through `mask` may change, as one rectangle.
QRect MaskedBox(const TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask);

// For an operation over box from source into dest: false unless both are 24-bit and of one size;
// when dest is not source, its rows outside the box (all for an empty box) are copied from source.
bool PrepareDestination(const TBitmap& source, TBitmap& dest, const QRect& box);
// Row y of dest, copied from source first when dest is not source (a row of the box, before the
// operation writes its selected pixels).
std::uint8_t* DestinationRow(const TBitmap& source, TBitmap& dest, int y);

} // namespace kalvo
