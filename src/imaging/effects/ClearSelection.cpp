#include "imaging/effects/ClearSelection.h"

#include "image/PaintBitmap.h"
#include "imaging/raster/RowDriver.h"
#include "imaging/raster/SelectionRows.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

namespace kalvo {

namespace {

// Row pixels [0, n) through mask values m toward the background bg (blue, green, red); filled
// holds the background n times.
void ClearRow(std::uint8_t* p, const std::uint8_t* m, int n, const int bg[3], const std::uint8_t* filled)
{
    switch (MaskCover(m, n)) {
    case TMaskCover::None: return;
    case TMaskCover::All: std::memcpy(p, filled, std::size_t(n) * 3); return;
    case TMaskCover::Partly: break;
    }
    for (int x = 0; x < n; ++x) {
        const unsigned a = m[x];
        p[3 * x] = std::uint8_t((a * p[3 * x] + (255 - a) * unsigned(bg[0])) / 255);
        p[3 * x + 1] = std::uint8_t((a * p[3 * x + 1] + (255 - a) * unsigned(bg[1])) / 255);
        p[3 * x + 2] = std::uint8_t((a * p[3 * x + 2] + (255 - a) * unsigned(bg[2])) / 255);
    }
}

// The background three bytes at a time, n pixels.
std::vector<std::uint8_t> BackgroundRow(const int bg[3], int n)
{
    std::vector<std::uint8_t> filled(std::size_t(std::max(n, 0)) * 3);
    for (std::size_t i = 0; i < filled.size(); ++i)
        filled[i] = std::uint8_t(bg[i % 3]);
    return filled;
}

// dest (source's layout, pixels undefined) becomes source with the region filled from `filled`
// (a row of the stored value): each row's pixels outside the region are copied, those inside
// filled, so every pixel is written once and only the kept ones are read. Byte depths only.
void FillRegionInto(const TBitmap& source, TBitmap& dest, const TRegion& region,
                    const std::vector<std::uint8_t>& filled)
{
    const int width = source.width(), height = source.height();
    const std::size_t bpp = std::size_t(source.bitCount() / 8), stride = std::size_t(source.stride());
    const TRegion inside = region.intersected(TRect{0, 0, width, height});
    const std::span<const pixman_box32_t> boxes = inside.boxes();
    // The first rectangle of each band (the rectangles of a band share top and bottom, left to
    // right), then the end.
    std::vector<std::size_t> bands;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (i == 0 || boxes[i].y1 != boxes[i - 1].y1)
            bands.push_back(i);
    const std::size_t bandCount = bands.size();
    bands.push_back(boxes.size());
    DriveRows(height, width, [&](int y0, int y1) {
        // The first band that does not end above row y0.
        std::size_t b = std::size_t(std::partition_point(bands.begin(), bands.begin() + std::ptrdiff_t(bandCount),
                                                         [&](std::size_t first) { return boxes[first].y2 <= y0; })
                                    - bands.begin());
        for (int y = y0; y < y1; ++y) {
            while (b < bandCount && boxes[bands[b]].y2 <= y)
                ++b;
            const std::uint8_t* s = source.scanLine(y);
            std::uint8_t* d = dest.scanLine(y);
            std::size_t done = 0;
            if (b < bandCount && boxes[bands[b]].y1 <= y) {
                for (std::size_t i = bands[b]; i < bands[b + 1]; ++i) {
                    const std::size_t x1 = std::size_t(boxes[i].x1) * bpp, x2 = std::size_t(boxes[i].x2) * bpp;
                    std::memcpy(d + done, s + done, x1 - done);
                    std::memcpy(d + x1, filled.data() + x1, x2 - x1);
                    done = x2;
                }
            }
            std::memcpy(d + done, s + done, stride - done);
        }
    });
}

} // namespace

bool ClearThroughMask(TBitmap& bitmap, const TBitmap& mask, TColor background)
{
    if (bitmap.empty() || bitmap.bitCount() != 24 || mask.bitCount() != 8)
        return false;
    const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    const int rows = std::min(bitmap.height(), mask.height());
    const int cols = std::max(0, std::min(bitmap.width(), mask.width()));
    const std::vector<std::uint8_t> filled = BackgroundRow(bg, cols);
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
    // A 24-bit picture through its mask: each row is copied into the result and cleared while in
    // the cache, every pixel read and written once.
    if (image.bitCount() == 24 && mask && mask->bitCount() == 8) {
        const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
        const std::vector<std::uint8_t> filled = BackgroundRow(bg, image.width());
        TBitmap result = TBitmap::sameLayout(image);
        DriveSelectionRowsInto(image, result, std::nullopt, mask, {},
                               [&](std::uint8_t* p, const std::uint8_t* m, int left, int right) {
                                   ClearRow(p + 3 * left, m + left, right - left, bg, filled.data());
                               });
        return result;
    }
    const std::int64_t value = StoredValueOf(image, background);
    if (value < 0)
        return std::nullopt;
    if (image.bitCount() >= 8) {
        TBitmap result = TBitmap::sameLayout(image);
        FillRegionInto(image, result, *region, StoredValueRow(image.bitCount(), image.width(), value));
        return result;
    }
    TBitmap result = image;
    FillRegion(result, region, background);
    return result;
}

bool ClearSelectionInPlace(TBitmap& image, const TRegionRef& region, const TBitmap* mask, TColor background)
{
    if (!region || image.empty())
        return false;
    if (image.bitCount() == 24 && mask && mask->bitCount() == 8)
        return ClearThroughMask(image, *mask, background);
    return FillRegion(image, region, background);
}

QRect ClearedArea(const TBitmap& image, const TRegionRef& region, const TBitmap* mask)
{
    const QRect bounds(0, 0, image.width(), image.height());
    if (!region)
        return {};
    if (!(image.bitCount() == 24 && mask && mask->bitCount() == 8)) {
        const TRect box = region->boundingRect();
        return QRect(box.left, box.top, box.width(), box.height()) & bounds;
    }
    const int rows = std::min(image.height(), mask->height());
    const int cols = std::max(0, std::min(image.width(), mask->width()));
    int top = -1, bottom = -1, left = cols, right = -1;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* m = mask->scanLine(y);
        if (MaskCover(m, cols) == TMaskCover::None)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        // Only the columns outside the range found so far are looked at.
        for (int x = 0; x < left; ++x)
            if (m[x] != 255) {
                left = x;
                break;
            }
        for (int x = cols - 1; x > right; --x)
            if (m[x] != 255) {
                right = x;
                break;
            }
    }
    if (top < 0)
        return {};
    return QRect(left, top, right - left + 1, bottom - top + 1);
}

} // namespace kalvo
