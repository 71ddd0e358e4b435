#include "imaging/raster/StrokeAndBlend.h"

#include "imaging/raster/ByteTable.h"
#include "imaging/raster/Coverage.h"
#include "imaging/raster/LineWalk.h"
#include "imaging/raster/ParallelRows.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kalvo {

namespace {

// The set of tip centres along the stroke. Stamping by maximum is idempotent, so every centre
// is stamped once however many segments pass through it; centres whose tip cannot reach the
// table are dropped.
class TStampCentres {
public:
    TStampCentres(int width, int height, int size)
        : half_(size / 2),
          x0_(half_ - size + 1),
          y0_(half_ - size + 1),
          w_(width + size - 1),
          h_(height + size - 1),
          words_((w_ + 63) / 64),
          bits_(std::size_t(words_) * std::size_t(h_), 0)
    {
    }

    void add(int x, int y)
    {
        const int cx = x - x0_, cy = y - y0_;
        if (cx < 0 || cy < 0 || cx >= w_ || cy >= h_)
            return;
        bits_[std::size_t(cy) * words_ + cx / 64] |= std::uint64_t(1) << (cx % 64);
    }

    // Stamps every centre whose tip reaches table rows [rowBegin, rowEnd) into those rows.
    void stamp(TByteTable& table, const TpxPenBrush& brush, int rowBegin, int rowEnd) const
    {
        const int firstCentre = std::max(0, rowBegin + half_ - brush.Size + 1 - y0_);
        const int lastCentre = std::min(h_ - 1, rowEnd - 1 + half_ - y0_);
        for (int cy = firstCentre; cy <= lastCentre; ++cy) {
            const std::uint64_t* row = bits_.data() + std::size_t(cy) * words_;
            for (int w = 0; w < words_; ++w) {
                for (std::uint64_t bits = row[w]; bits != 0; bits &= bits - 1) {
                    const int cx = w * 64 + __builtin_ctzll(bits);
                    StampCoverageRows(table, cx + x0_, cy + y0_, brush, rowBegin, rowEnd);
                }
            }
        }
    }

private:
    int half_, x0_, y0_, w_, h_, words_;
    std::vector<std::uint64_t> bits_;
};

// The centres are found in the picture's coordinates and moved to the bitmap's after rounding.
void CollectSegment(TStampCentres& centres, const QPoint& a, const QPoint& b, QPoint origin)
{
    WalkLine(a.x(), a.y(), b.x(), b.y(),
             [&](double x, double y) { centres.add(Round(x) - origin.x(), Round(y) - origin.y()); });
}

void Blend24(TBitmap& bitmap, const TByteTable& coverage, int alpha, TColor color, int y0, int y1)
{
    const int cb = GetBValue(color), cg = GetGValue(color), cr = GetRValue(color);
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* cov = coverage[y];
        std::uint8_t* p = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, p += 3) {
            const int e = (100 - alpha) * cov[x] / 100;
            if (e == 0)
                continue;
            p[0] = std::uint8_t(((255 - e) * p[0] + e * cb) / 255);
            p[1] = std::uint8_t(((255 - e) * p[1] + e * cg) / 255);
            p[2] = std::uint8_t(((255 - e) * p[2] + e * cr) / 255);
        }
    }
}

void Blend8(TBitmap& mask, const TByteTable& coverage, int alpha, bool select, int y0, int y1)
{
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* cov = coverage[y];
        std::uint8_t* p = mask.scanLine(y);
        for (int x = 0; x < mask.width(); ++x) {
            const int e = (100 - alpha) * cov[x] / 100;
            p[x] = std::uint8_t(clamp255(select ? p[x] - e : p[x] + e));
        }
    }
}

} // namespace

void StrokeAndBlend(TBitmap& bitmap, const TPoints& points, bool pairs, int alpha, TColor color,
                    const TpxPenBrush& brush, QPoint origin)
{
    if (points.size() < 2 || bitmap.empty() || brush.Size <= 0)
        return;
    if (bitmap.bitCount() != 24 && bitmap.bitCount() != 8)
        return;
    alpha = std::clamp(alpha, 0, 100);
    TStampCentres centres(bitmap.width(), bitmap.height(), brush.Size);
    const std::size_t stride = pairs ? 2 : 1;
    for (std::size_t i = 0; i + 1 < points.size(); i += stride)
        CollectSegment(centres, points[i], points[i + 1], origin);

    TByteTable coverage(bitmap.width(), bitmap.height());
    ParallelRows(bitmap.height(), 256, [&](int y0, int y1) {
        centres.stamp(coverage, brush, y0, y1);
        if (bitmap.bitCount() == 24)
            Blend24(bitmap, coverage, alpha, color, y0, y1);
        else
            Blend8(bitmap, coverage, alpha, color != 0, y0, y1);
    });
}

} // namespace kalvo
