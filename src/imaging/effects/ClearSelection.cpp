#include "imaging/effects/ClearSelection.h"

#include "image/PixelAccess.h"
#include "imaging/raster/NearestPaletteIndex.h"
#include "imaging/raster/RowDriver.h"

#include <algorithm>
#include <cstring>
#include <vector>

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

// The bytes of one pixel holding value at a depth of whole bytes (8, 16, 24 or 32 bits).
std::vector<std::uint8_t> PixelBytes(int bits, std::uint32_t value)
{
    std::vector<std::uint8_t> pixel(std::size_t(bits / 8));
    if (bits == 24) {
        pixel = {std::uint8_t(GetBValue(value)), std::uint8_t(GetGValue(value)), std::uint8_t(GetRValue(value))};
    } else {
        for (std::size_t i = 0; i < pixel.size(); ++i)
            pixel[i] = std::uint8_t(value >> (8 * i));
    }
    return pixel;
}

void FillRegion(TBitmap& image, const TRegion& region, std::uint32_t value)
{
    const int bits = image.bitCount();
    const std::vector<TRect> rects = region.rects();
    // At whole-byte depths every row segment is copied from one row already holding the value.
    const bool bytes = bits >= 8;
    const int bpp = bits / 8;
    std::vector<std::uint8_t> filled;
    if (bytes) {
        const std::vector<std::uint8_t> pixel = PixelBytes(bits, value);
        filled.resize(std::size_t(image.width()) * bpp);
        for (std::size_t i = 0; i < filled.size(); ++i)
            filled[i] = pixel[i % pixel.size()];
    }
    DriveRows(image.height(), image.width(), [&](int y0, int y1) {
        for (const TRect& r : rects) {
            const int left = std::max(r.left, 0), right = std::min(r.right, image.width());
            if (left >= right)
                continue;
            for (int y = std::max(r.top, y0); y < std::min(r.bottom, y1); ++y) {
                std::uint8_t* row = image.scanLine(y);
                if (bytes) {
                    std::memcpy(row + std::size_t(left) * bpp, filled.data() + std::size_t(left) * bpp,
                                std::size_t(right - left) * bpp);
                } else {
                    for (int x = left; x < right; ++x)
                        PutPixel(x, row, bits, value);
                }
            }
        }
    });
}

// Row pixels [0, n) through mask values m toward the background bg (blue, green, red).
void ClearRow(std::uint8_t* p, const std::uint8_t* m, int n, const int bg[3], const std::uint8_t* filled)
{
    switch (MaskCover(m, n)) {
    case TMaskCover::None:
        return;
    case TMaskCover::All:
        std::memcpy(p, filled, std::size_t(n) * 3);
        return;
    case TMaskCover::Partly:
        break;
    }
    for (int x = 0; x < n; ++x) {
        const unsigned a = m[x];
        p[3 * x] = std::uint8_t((a * p[3 * x] + (255 - a) * unsigned(bg[0])) / 255);
        p[3 * x + 1] = std::uint8_t((a * p[3 * x + 1] + (255 - a) * unsigned(bg[1])) / 255);
        p[3 * x + 2] = std::uint8_t((a * p[3 * x + 2] + (255 - a) * unsigned(bg[2])) / 255);
    }
}

} // namespace

bool ClearThroughMask(TBitmap& bitmap, const TBitmap& mask, TColor background)
{
    if (bitmap.empty() || bitmap.bitCount() != 24 || mask.bitCount() != 8)
        return false;
    const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    const int rows = std::min(bitmap.height(), mask.height());
    const int cols = std::max(0, std::min(bitmap.width(), mask.width()));
    std::vector<std::uint8_t> filled(std::size_t(cols) * 3);
    for (std::size_t i = 0; i < filled.size(); ++i)
        filled[i] = std::uint8_t(bg[i % 3]);
    DriveRows(rows, cols, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            ClearRow(bitmap.scanLine(y), mask.scanLine(y), cols, bg, filled.data());
    });
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
