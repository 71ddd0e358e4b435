#include "imaging/effects/ClearSelection.h"

#include "image/PaintBitmap.h"
#include "imaging/raster/RowDriver.h"
#include "imaging/raster/SelectionRows.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kalvo {

namespace {

// Row pixels [0, n) through mask values m toward the background bg (blue, green, red); filled
// holds the background n times.
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
    // A 24-bit picture cleared through its mask or inside one rectangle: each row is copied into
    // the result and cleared while in the cache, every pixel read and written once.
    if (image.bitCount() == 24 && (mask ? mask->bitCount() == 8 : region->rectCount() == 1)) {
        const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
        std::vector<std::uint8_t> filled(std::size_t(image.width()) * 3);
        for (std::size_t i = 0; i < filled.size(); ++i)
            filled[i] = std::uint8_t(bg[i % 3]);
        std::optional<QRect> area;
        if (!mask) {
            const TRect box = region->boundingRect();
            area = QRect(box.left, box.top, box.width(), box.height());
        }
        TBitmap result = TBitmap::sameLayout(image);
        DriveSelectionRowsInto(image, result, area, mask, {}, [&](std::uint8_t* p, const std::uint8_t* m, int left, int right) {
            if (m)
                ClearRow(p + 3 * left, m + left, right - left, bg, filled.data());
            else
                std::memcpy(p + 3 * left, filled.data(), std::size_t(right - left) * 3);
        });
        return result;
    }
    TBitmap result = image;
    if (mask && ClearThroughMask(result, *mask, background))
        return result;
    if (!FillRegion(result, region, background))
        return std::nullopt;
    return result;
}

} // namespace kalvo
