#pragma once
// Hue, saturation and lightness shifted in the HSL (hexcone) model.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <cstdint>
#include <optional>

namespace kalvo {

struct THueSaturation {
    int Hue = 0;        // -180..180 degrees
    int Saturation = 0; // -100..100
    int Lightness = 0;  // -100..100
    bool operator==(const THueSaturation&) const = default;
};

// One pixel (bytes blue, green, red): to HSL (H in degrees, S and L in 0..1), H := H + hue;
// S := clamp(S (1 + s/100), 0, 1); L := L (1 + l/100) for l < 0, else L + (1 - L) l/100; back
// to RGB, each channel Round(255 x). out may be in.
void HueSaturationPixel(const THueSaturation& params, const std::uint8_t* in, std::uint8_t* out);

// Every pixel of `area` (none = the whole image), weighted by the mask as the negative is. False,
// changing nothing, unless the bitmap is 24-bit.
bool HueSaturationArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                       const THueSaturation& params, const TProgressCallback& progress = {});
// The same from source into dest (source itself, or a bitmap of its layout whose pixels are
// undefined and then all written).
bool HueSaturationArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                       const THueSaturation& params, const TProgressCallback& progress = {});
bool HueSaturation(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const THueSaturation& params,
                   const TProgressCallback& progress = {});

} // namespace kalvo
