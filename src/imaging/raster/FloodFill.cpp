#include "imaging/raster/FloodFill.h"

#include "image/PaintBitmap.h"
#include "image/PixelAccess.h"
#include "imaging/raster/FloodMask.h"
#include "imaging/raster/RowDriver.h"

#include <algorithm>

namespace kalvo {

namespace {

bool MaskBit(const std::uint8_t* row, int x)
{
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// The bounding box of the set bits of a 1-bit mask.
QRect SetBitsBox(const TBitmap& mask)
{
    int top = -1, bottom = -1, left = mask.width(), right = -1;
    const std::size_t rowBytes = std::size_t(mask.width() + 7) / 8;
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint8_t* row = mask.scanLine(y);
        const std::uint8_t* end = row + rowBytes;
        const std::uint8_t* first = std::find_if(row, end, [](std::uint8_t b) { return b != 0; });
        if (first == end)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        const std::uint8_t* last = end - 1;
        while (*last == 0)
            --last;
        left = std::min(left, int(first - row) * 8);
        right = std::max(right, int(last - row) * 8 + 7);
    }
    if (top < 0)
        return {};
    for (int x = left; x < left + 8 && x < mask.width(); ++x) {
        bool any = false;
        for (int y = top; y <= bottom && !any; ++y)
            any = MaskBit(mask.scanLine(y), x);
        if (any) {
            left = x;
            break;
        }
    }
    right = std::min(right, mask.width() - 1);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void FillTrueColor(TBitmap& image, const TBitmap& fill, const TBitmap* selectionMask, const TRegionRef& region,
                   const QRect& box, int alpha, TColor color)
{
    const int a = std::clamp(alpha, 0, 100);
    const int add[3] = {(100 - a) * GetBValue(color), (100 - a) * GetGValue(color), (100 - a) * GetRValue(color)};
    const bool throughMask = selectionMask && selectionMask->bitCount() == 8;
    auto fillSpan = [&](int y, int x0, int x1) {
        const std::uint8_t* bits = fill.scanLine(y);
        std::uint8_t* p = image.scanLine(y);
        const std::uint8_t* m = throughMask && y < selectionMask->height() ? selectionMask->scanLine(y) : nullptr;
        const int maskWidth = m ? selectionMask->width() : 0;
        for (int x = x0; x < x1; ++x) {
            if (!MaskBit(bits, x))
                continue;
            const int l = throughMask ? (x < maskWidth && m ? m[x] : 255) : 0;
            if (l == 255)
                continue;
            for (int c = 0; c < 3; ++c) {
                const int old = p[3 * x + c];
                const int filled = (a * old + add[c]) / 100;
                p[3 * x + c] = std::uint8_t(((255 - l) * filled + l * old) / 255);
            }
        }
    };
    // Through the mask (or without a region) every row of the box is written, split between
    // two threads; otherwise only the region's spans.
    if (throughMask || !region) {
        if (box.isEmpty())
            return;
        DriveRows(box.height(), box.width(), [&](int y0, int y1) {
            for (int y = box.top() + y0; y < box.top() + y1; ++y)
                fillSpan(y, box.left(), box.right() + 1);
        });
        return;
    }
    ForEachRegionSpan(box, region, fillSpan);
}

void FillIndexed(TBitmap& image, const TBitmap& fill, const TRegionRef& region, const QRect& box, std::int64_t index)
{
    auto fillSpan = [&](int y, int x0, int x1) {
        const std::uint8_t* bits = fill.scanLine(y);
        std::uint8_t* row = image.scanLine(y);
        for (int x = x0; x < x1; ++x)
            if (MaskBit(bits, x))
                PutPixelIndex(x, row, image.bitCount(), std::uint32_t(index));
    };
    ForEachRegionSpan(box, region, fillSpan);
}

// 16- and 32-bit images: the same blend on the pixels' colours, clipped to the region.
void FillWords(TBitmap& image, const TBitmap& fill, const TRegionRef& region, const QRect& box, int alpha, TColor color)
{
    const int a = std::clamp(alpha, 0, 100);
    const auto mix = [a](int old, int c) { return (a * old + (100 - a) * c) / 100; };
    ForEachRegionSpan(box, region, [&](int y, int x0, int x1) {
        const std::uint8_t* bits = fill.scanLine(y);
        for (int x = x0; x < x1; ++x) {
            if (!MaskBit(bits, x))
                continue;
            const TColor old = image.pixelColor(x, y);
            const TColor filled = RGB(mix(GetRValue(old), GetRValue(color)), mix(GetGValue(old), GetGValue(color)),
                                      mix(GetBValue(old), GetBValue(color)));
            PutStoredValue(image, x, y, StoredValueOf(image, filled));
        }
    });
}

} // namespace

std::optional<QRect> FloodFill(TBitmap& image, const TBitmap* selectionMask, const TRegionRef& region,
                               const TFloodFillRequest& request, const std::function<void()>& beforeChange)
{
    return FloodFill(image, selectionMask, region, request, [&beforeChange](const QRect&) {
        if (beforeChange)
            beforeChange();
        return true;
    });
}

std::optional<QRect> FloodFill(TBitmap& image, const TBitmap* selectionMask, const TRegionRef& region,
                               const TFloodFillRequest& request, const std::function<bool(const QRect&)>& beforeChange)
{
    const int bits = image.bitCount();
    if (image.empty() || !TBitmap::isValidBitCount(bits))
        return std::nullopt;
    const std::optional<TBitmap> fill = FloodMask(image, request.X, request.Y, request.Tolerance);
    if (!fill)
        return std::nullopt;
    std::int64_t index = -1;
    if (bits <= 8) {
        index = StoredValueOf(image, request.Color);
        if (index < 0)
            return std::nullopt;
    }
    const QRect box = SetBitsBox(*fill);
    if (beforeChange && !beforeChange(box))
        return std::nullopt;
    if (box.isEmpty())
        return QRect();
    // The filled pixels are computed and written in one pass: an unfilled pixel would mix with
    // itself and stay as it is, so only the filled ones are visited.
    if (bits == 24)
        FillTrueColor(image, *fill, selectionMask, region, box, request.Alpha, request.Color);
    else if (bits <= 8)
        FillIndexed(image, *fill, region, box, index);
    else
        FillWords(image, *fill, region, box, request.Alpha, request.Color);
    return box;
}

} // namespace kalvo
