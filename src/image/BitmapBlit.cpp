#include "image/BitmapBlit.h"

#include "image/ImageErrors.h"
#include "image/PixelAccess.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

namespace {

int indexAt(const std::uint8_t* row, int x, int bits)
{
    if (bits == 1)
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    return x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
}

void setIndexAt(std::uint8_t* row, int x, int bits, int index)
{
    if (bits == 1) {
        const std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
        row[x >> 3] = std::uint8_t(index & 1 ? row[x >> 3] | bit : row[x >> 3] & ~bit);
    } else if (x & 1) {
        row[x >> 1] = std::uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F));
    } else {
        row[x >> 1] = std::uint8_t((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
    }
}

// Copies target columns left..right-1 of target row ty from source row sy (source column =
// target column - dx).
void copySpan(TBitmap& target, const TBitmap& source, int ty, int sy, int left, int right, int dx)
{
    std::uint8_t* out = target.scanLine(ty);
    const std::uint8_t* in = source.scanLine(sy);
    const int tbits = target.bitCount(), sbits = source.bitCount();
    if (tbits == sbits && tbits >= 8) {
        const int bytes = tbits / 8;
        std::memcpy(out + std::size_t(left) * bytes, in + std::size_t(left - dx) * bytes,
                    std::size_t(right - left) * bytes);
        return;
    }
    if (tbits == sbits) {
        for (int x = left; x < right; ++x)
            setIndexAt(out, x, tbits, indexAt(in, x - dx, sbits));
        return;
    }
    for (int x = left; x < right; ++x) {
        const TColor c = source.pixelColor(x - dx, sy);
        std::uint8_t* p = out + std::size_t(x) * 3;
        p[0] = std::uint8_t(GetBValue(c));
        p[1] = std::uint8_t(GetGValue(c));
        p[2] = std::uint8_t(GetRValue(c));
    }
}

void drawRect(TBitmap& target, const TBitmap& source, int x, int y, TRect r)
{
    r.left = std::max({r.left, 0, x});
    r.top = std::max({r.top, 0, y});
    r.right = std::min({r.right, target.width(), x + source.width()});
    r.bottom = std::min({r.bottom, target.height(), y + source.height()});
    if (r.isEmpty())
        return;
    for (int ty = r.top; ty < r.bottom; ++ty)
        copySpan(target, source, ty, ty - y, r.left, r.right, x);
}

} // namespace

void DrawBitmapAt(TBitmap& target, const TBitmap& source, int x, int y, const TRegion* clip)
{
    if (target.empty() || source.empty())
        return;
    if (target.bitCount() != source.bitCount() && target.bitCount() != 24)
        throw EPxImageError("DrawBitmapAt: Unsupported bit depth");
    if (!clip) {
        drawRect(target, source, x, y, {0, 0, target.width(), target.height()});
        return;
    }
    for (const QRect& q : clip->qregion())
        drawRect(target, source, x, y, {q.left(), q.top(), q.right() + 1, q.bottom() + 1});
}

void FillRegionValue(TBitmap& bitmap, const TRegion& region, std::uint32_t value)
{
    const int bits = bitmap.bitCount();
    for (const QRect& q : region.qregion()) {
        const int left = std::max(q.left(), 0), right = std::min(q.right() + 1, bitmap.width());
        const int bottom = std::min(q.bottom() + 1, bitmap.height());
        if (left >= right)
            continue;
        for (int y = std::max(q.top(), 0); y < bottom; ++y) {
            std::uint8_t* row = bitmap.scanLine(y);
            if (bits == 8) {
                std::memset(row + left, int(value & 0xFF), std::size_t(right - left));
                continue;
            }
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

} // namespace kalvo
