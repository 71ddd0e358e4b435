#include "imaging/effects/ClearSelection.h"

#include "image/PixelAccess.h"
#include "imaging/raster/NearestPaletteIndex.h"

#include <algorithm>

namespace kalvo {

namespace {

// The stored value of the background colour at the image's depth; false when a palette image
// has no entry to use.
bool FillValue(const TBitmap& image, TColor background, std::uint32_t& value)
{
    const int bits = image.bitCount();
    if (bits <= 8) {
        std::vector<TColor> usable = image.palette();
        usable.resize(std::min(usable.size(), std::size_t(1) << bits));
        const int index = NearestPaletteIndex(usable, background);
        value = std::uint32_t(index);
        return index >= 0;
    }
    if (bits == 16) {
        value = std::uint32_t((GetRValue(background) >> 3) << 10 | (GetGValue(background) >> 3) << 5
                              | GetBValue(background) >> 3);
        return true;
    }
    if (bits == 24) {
        value = background;
        return true;
    }
    // 32 bits: the stored word, blue in the low byte.
    value = (std::uint32_t(GetRValue(background)) << 16) | (std::uint32_t(GetGValue(background)) << 8)
        | std::uint32_t(GetBValue(background));
    return true;
}

void FillRegion(TBitmap& image, const TRegion& region, std::uint32_t value)
{
    const int bits = image.bitCount();
    for (const TRect& r : region.rects()) {
        const int left = std::max(r.left, 0), right = std::min(r.right, image.width());
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, image.height()); ++y) {
            std::uint8_t* row = image.scanLine(y);
            for (int x = left; x < right; ++x) {
                if (bits == 16) {
                    row[2 * x] = std::uint8_t(value);
                    row[2 * x + 1] = std::uint8_t(value >> 8);
                } else {
                    PutPixel(x, row, bits, value);
                }
            }
        }
    }
}

} // namespace

bool ClearThroughMask(TBitmap& bitmap, const TBitmap& mask, TColor background)
{
    if (bitmap.empty() || bitmap.bitCount() != 24 || mask.bitCount() != 8)
        return false;
    const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    const int rows = std::min(bitmap.height(), mask.height());
    const int cols = std::min(bitmap.width(), mask.width());
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* m = mask.scanLine(y);
        std::uint8_t* p = bitmap.scanLine(y);
        for (int x = 0; x < cols; ++x) {
            const int a = m[x];
            for (int c = 0; c < 3; ++c)
                p[3 * x + c] = std::uint8_t((a * p[3 * x + c] + (255 - a) * bg[c]) / 255);
        }
    }
    return true;
}

std::optional<TBitmap> ClearSelection(const TBitmap& image, const TRegionRef& region, const TBitmap* mask,
                                      TColor background)
{
    if (!region || image.empty())
        return std::nullopt;
    TBitmap result = image;
    if (mask && ClearThroughMask(result, *mask, background))
        return result;
    std::uint32_t value = 0;
    if (!FillValue(image, background, value))
        return std::nullopt;
    FillRegion(result, *region, value);
    return result;
}

} // namespace kalvo
