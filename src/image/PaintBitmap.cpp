#include "image/PaintBitmap.h"

#include "image/NearestPaletteIndex.h"
#include "image/PixelAccess.h"
#include "image/PixelLine.h"
#include "image/RectOps.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace kalvo {

namespace {

bool IsPaintableDepth(int bits)
{
    return TBitmap::isValidBitCount(bits);
}

void PutTriple(std::uint8_t* row, int x, std::int64_t color)
{
    std::uint8_t* p = row + 3 * std::size_t(x);
    p[0] = std::uint8_t(GetBValue(TColor(color)));
    p[1] = std::uint8_t(GetGValue(TColor(color)));
    p[2] = std::uint8_t(GetRValue(TColor(color)));
}

// Stored values of colours for a target image, remembered per colour.
class TValueCache {
public:
    explicit TValueCache(const TBitmap& target) : FTarget(target) { }
    std::int64_t operator()(TColor color)
    {
        if (FTarget.bitCount() == 24)
            return color & 0xFFFFFF;
        const auto found = FValues.find(color);
        if (found != FValues.end())
            return found->second;
        return FValues[color] = StoredValueOf(FTarget, color);
    }

private:
    const TBitmap& FTarget;
    std::unordered_map<TColor, std::int64_t> FValues;
};

} // namespace

std::vector<std::uint8_t> ClipCells(const QRect& box, const TRegionRef& clip)
{
    std::vector<std::uint8_t> cells(std::size_t(box.width()) * std::size_t(box.height()), 0);
    ForEachRegionSpan(box, clip, [&](int y, int x0, int x1) {
        std::memset(cells.data() + std::size_t(y - box.top()) * std::size_t(box.width()) + std::size_t(x0 - box.left()),
                    1, std::size_t(x1 - x0));
    });
    return cells;
}

std::int64_t StoredValueOf(const TBitmap& bitmap, TColor color)
{
    if (bitmap.empty())
        return -1;
    switch (bitmap.bitCount()) {
    case 24: return color & 0xFFFFFF;
    // 5-5-5 with red in the high bits; 32 bits: the word with blue in the low byte.
    case 16: return (GetRValue(color) >> 3) << 10 | (GetGValue(color) >> 3) << 5 | GetBValue(color) >> 3;
    case 32: return std::int64_t(GetRValue(color)) << 16 | GetGValue(color) << 8 | GetBValue(color);
    case 1:
    case 4:
    case 8: break;
    default: return -1;
    }
    std::vector<TColor> usable = bitmap.palette();
    usable.resize(std::min(usable.size(), std::size_t(1) << bitmap.bitCount()));
    return NearestPaletteIndex(usable, color);
}

void PutStoredValue(TBitmap& bitmap, int x, int y, std::int64_t value)
{
    std::uint8_t* row = bitmap.scanLine(y);
    switch (bitmap.bitCount()) {
    case 24: PutTriple(row, x, value); break;
    case 16:
        row[2 * x] = std::uint8_t(value);
        row[2 * x + 1] = std::uint8_t(value >> 8);
        break;
    case 32:
        for (int i = 0; i < 4; ++i)
            row[4 * std::size_t(x) + std::size_t(i)] = std::uint8_t(value >> (8 * i));
        break;
    default: PutPixelIndex(x, row, bitmap.bitCount(), std::uint32_t(value)); break;
    }
}

QRect CopyBitmapClipped(TBitmap& target, const TBitmap& source, int x, int y, const TRegionRef& clip)
{
    if (target.empty() || source.empty() || !IsPaintableDepth(target.bitCount())
        || !IsPaintableDepth(source.bitCount()))
        return {};
    const QRect area = IntersectRects(QRect(x, y, source.width(), source.height()),
                                      QRect(0, 0, target.width(), target.height()));
    const int bits = target.bitCount();
    const bool raw = source.bitCount() == bits;
    // Palette sources map each entry once.
    std::array<std::int64_t, 256> entryValue{};
    TValueCache values(target);
    if (!raw && source.bitCount() <= 8)
        for (std::size_t i = 0; i < source.palette().size() && i < entryValue.size(); ++i)
            entryValue[i] = values(source.palette()[i]);
    QRect changed;
    ForEachRegionSpan(area, clip, [&](int ty, int x0, int x1) {
        changed = UniteRects(changed, QRect(x0, ty, x1 - x0, 1));
        std::uint8_t* out = target.scanLine(ty);
        const std::uint8_t* in = source.scanLine(ty - y);
        if (raw && bits >= 8) {
            const std::size_t bytes = std::size_t(bits / 8);
            std::memcpy(out + bytes * std::size_t(x0), in + bytes * std::size_t(x0 - x), bytes * std::size_t(x1 - x0));
            return;
        }
        for (int tx = x0; tx < x1; ++tx) {
            const int sx = tx - x;
            std::int64_t value;
            if (raw) {
                value = bits == 1 ? (in[sx >> 3] >> (7 - (sx & 7))) & 1 : (in[sx >> 1] >> ((sx & 1) ? 0 : 4)) & 0x0F;
            } else if (source.bitCount() <= 8) {
                const int index = source.bitCount() == 8 ? in[sx]
                    : source.bitCount() == 4             ? (in[sx >> 1] >> ((sx & 1) ? 0 : 4)) & 0x0F
                                                         : (in[sx >> 3] >> (7 - (sx & 7))) & 1;
                // Indices beyond the palette read as black, as pixelColor does.
                value = std::size_t(index) < source.palette().size() ? entryValue[std::size_t(index)] : values(0);
            } else {
                value = values(source.pixelColor(sx, ty - y));
            }
            if (value >= 0)
                PutStoredValue(target, tx, ty, value);
        }
    });
    return changed;
}

std::vector<std::uint8_t> StoredValueRow(int bitCount, int width, std::int64_t value)
{
    TBitmap one(1, 1, bitCount);
    PutStoredValue(one, 0, 0, value);
    const std::size_t bpp = std::size_t(bitCount / 8);
    std::vector<std::uint8_t> row(std::size_t(std::max(width, 0)) * bpp);
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = one.scanLine(0)[i % bpp];
    return row;
}

bool FillRegion(TBitmap& bitmap, const TRegionRef& region, TColor color)
{
    const std::int64_t value = StoredValueOf(bitmap, color);
    if (value < 0)
        return false;
    const int bits = bitmap.bitCount();
    // At 16, 24 and 32 bits every span is copied from one row already holding the value.
    const std::size_t bpp = std::size_t(bits / 8);
    const std::vector<std::uint8_t> filled = bits > 8 ? StoredValueRow(bits, bitmap.width(), value)
                                                      : std::vector<std::uint8_t>();
    ForEachRegionSpan(QRect(0, 0, bitmap.width(), bitmap.height()), region, [&](int y, int x0, int x1) {
        std::uint8_t* row = bitmap.scanLine(y);
        if (bits == 8) {
            std::memset(row + x0, int(value), std::size_t(x1 - x0));
        } else if (bits > 8) {
            std::memcpy(row + std::size_t(x0) * bpp, filled.data() + std::size_t(x0) * bpp, std::size_t(x1 - x0) * bpp);
        } else {
            for (int x = x0; x < x1; ++x)
                PutStoredValue(bitmap, x, y, value);
        }
    });
    return true;
}

namespace {

// Writes the value into the listed pixels that lie inside clip and the image.
QRect WritePixels(TBitmap& bitmap, const std::vector<QPoint>& pixels, std::int64_t value, const TRegionRef& clip)
{
    QRect box;
    for (const QPoint& p : pixels)
        box = UniteRects(box, QRect(p, QSize(1, 1)));
    box = IntersectRects(box, QRect(0, 0, bitmap.width(), bitmap.height()));
    if (box.isEmpty())
        return {};
    // The clip is asked pixel by pixel: a table of the box's cells would cost the whole box (a
    // long line's box can be most of the picture).
    QRect changed;
    for (const QPoint& p : pixels) {
        if (!RectContains(box, p) || (clip && !clip->contains(p.x(), p.y())))
            continue;
        PutStoredValue(bitmap, p.x(), p.y(), value);
        changed = UniteRects(changed, QRect(p, QSize(1, 1)));
    }
    return changed;
}

} // namespace

QRect DrawPixelLines(TBitmap& bitmap, const TPoints& points, bool pairs, TColor color, const TRegionRef& clip,
                     bool* stored)
{
    const std::int64_t value = StoredValueOf(bitmap, color);
    if (stored)
        *stored = value >= 0;
    if (value < 0)
        return {};
    std::vector<QPoint> pixels;
    ForEachSegment(points, pairs, [&](QPoint a, QPoint b) {
        WalkPixelLine(a.x(), a.y(), b.x(), b.y(), [&](int x, int y) { pixels.emplace_back(x, y); });
    });
    return WritePixels(bitmap, pixels, value, clip);
}

} // namespace kalvo
