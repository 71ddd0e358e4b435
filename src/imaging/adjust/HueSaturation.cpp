#include "imaging/adjust/HueSaturation.h"

#include "imaging/raster/SelectionRows.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

void HueSaturationPixel(const THueSaturation& params, const std::uint8_t* in, std::uint8_t* out)
{
    const double b = in[0] / 255.0, g = in[1] / 255.0, r = in[2] / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    const double d = max - min;
    double hue = 0, saturation = 0, lightness = (max + min) / 2;
    if (d > 0) {
        saturation = d / (1 - std::fabs(max + min - 1));
        if (max == r)
            hue = (g - b) / d;
        else if (max == g)
            hue = (b - r) / d + 2;
        else
            hue = (r - g) / d + 4;
        hue *= 60;
    }
    hue = std::fmod(hue + std::clamp(params.Hue, -180, 180), 360.0);
    if (hue < 0)
        hue += 360;
    saturation = std::clamp(saturation * (1 + std::clamp(params.Saturation, -100, 100) / 100.0), 0.0, 1.0);
    const double l = std::clamp(params.Lightness, -100, 100) / 100.0;
    lightness = l < 0 ? lightness * (1 + l) : lightness + (1 - lightness) * l;

    const double chroma = (1 - std::fabs(2 * lightness - 1)) * saturation;
    const double sector = hue / 60;
    const double second = chroma * (1 - std::fabs(std::fmod(sector, 2.0) - 1));
    const double m = lightness - chroma / 2;
    double rgb[3] = {0, 0, 0}; // red, green, blue
    switch (std::min(int(sector), 5)) {
    case 0:
        rgb[0] = chroma;
        rgb[1] = second;
        break;
    case 1:
        rgb[0] = second;
        rgb[1] = chroma;
        break;
    case 2:
        rgb[1] = chroma;
        rgb[2] = second;
        break;
    case 3:
        rgb[1] = second;
        rgb[2] = chroma;
        break;
    case 4:
        rgb[0] = second;
        rgb[2] = chroma;
        break;
    default:
        rgb[0] = chroma;
        rgb[2] = second;
        break;
    }
    out[0] = std::uint8_t(clamp255(RoundTie((rgb[2] + m) * 255)));
    out[1] = std::uint8_t(clamp255(RoundTie((rgb[1] + m) * 255)));
    out[2] = std::uint8_t(clamp255(RoundTie((rgb[0] + m) * 255)));
}

bool HueSaturationArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                       const THueSaturation& params, const TProgressCallback& progress)
{
    return HueSaturationArea(bitmap, bitmap, area, mask, params, progress);
}

bool HueSaturationArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                       const THueSaturation& params, const TProgressCallback& progress)
{
    return DriveSelectionRowsInto(
        source, dest, area, mask, progress, [&](std::uint8_t* p, const std::uint8_t* m, int left, int right) {
            // Neighbours often share a colour: the last result is reused.
            std::uint8_t lastIn[3] = {0, 0, 0}, lastOut[3];
            HueSaturationPixel(params, lastIn, lastOut);
            PixelsThroughMask(p, m, left, right, [&](const std::uint8_t* in, std::uint8_t* out) {
                if (in[0] != lastIn[0] || in[1] != lastIn[1] || in[2] != lastIn[2]) {
                    std::copy(in, in + 3, lastIn);
                    HueSaturationPixel(params, lastIn, lastOut);
                }
                std::copy(lastOut, lastOut + 3, out);
            });
        });
}

bool HueSaturation(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const THueSaturation& params,
                   const TProgressCallback& progress)
{
    return WithSelection(bitmap, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return HueSaturationArea(bitmap, area, m, params, progress);
    });
}

} // namespace kalvo
