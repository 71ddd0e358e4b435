#include "imaging/raster/PenStroke.h"

#include "image/PixelLine.h"
#include "image/RectOps.h"
#include "image/RegionConvert.h"
#include "imaging/raster/AntiAliasedLine.h"
#include "imaging/raster/ParallelRows.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <QRect>

namespace kalvo {

namespace {

// 255 * 255 * 100: the pen's full weight (stroke, selection and opacity all complete).
constexpr std::int64_t kPenWhole = 255 * 25500;

} // namespace

TBitmap PenStrokeMask(int width, int height, const TPoints& points, bool antiAlias)
{
    TBitmap mask(width, height, 8);
    for (int y = 0; y < height; ++y)
        std::memset(mask.scanLine(y), 255, std::size_t(width));
    const QRect clip(0, 0, width, height);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPoint a = points[i - 1], b = points[i];
        if (antiAlias) {
            DrawAntiAliasedLine(mask, a.x(), a.y(), b.x(), b.y(), clip);
            continue;
        }
        WalkPixelLine(a.x(), a.y(), b.x(), b.y(), [&](int x, int y) {
            if (x >= 0 && y >= 0 && x < width && y < height)
                mask.scanLine(y)[x] = 0;
        });
    }
    return mask;
}

std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, TColor color)
{
    if (points.size() < 2 || source.empty() || source.bitCount() != 24)
        return std::nullopt;
    alpha = std::clamp(alpha, 0, 100);
    const TBitmap stroke = PenStrokeMask(source.width(), source.height(), points, antiAlias);
    TBitmap result = source;
    const std::int64_t channel[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    // Only pixels near the points can carry stroke (the anti-aliased line reaches one pixel to
    // the side and one beyond each end); the rest keep their weight 0.
    QRect box;
    for (const QPoint& p : points)
        box = UniteRects(box, QRect(p, QSize(1, 1)));
    box = IntersectRects(box.adjusted(-2, -2, 2, 2), QRect(0, 0, source.width(), source.height()));
    if (box.isEmpty())
        return result;
    ParallelRows(box.height(), 256, [&](int r0, int r1) {
        for (int y = box.top() + r0; y < box.top() + r1; ++y) {
            const std::uint8_t* s = stroke.scanLine(y);
            const std::uint8_t* m = selectionMask && y < selectionMask->height() ? selectionMask->scanLine(y) : nullptr;
            std::uint8_t* p = result.scanLine(y);
            for (int x = box.left(); x <= box.right(); ++x) {
                const int selected = selectionMask ? (m && x < selectionMask->width() ? 255 - m[x] : 0) : 255;
                // a = weight / kPenWhole, kept as an exact fraction so that whole results are not
                // truncated to one less.
                const std::int64_t weight = std::int64_t(255 - s[x]) * selected * (100 - alpha);
                if (weight == 0)
                    continue;
                for (int c = 0; c < 3; ++c)
                    p[3 * x + c] = std::uint8_t(
                        clamp255(int(((kPenWhole - weight) * p[3 * x + c] + weight * channel[c]) / kPenWhole)));
            }
        }
    });
    return result;
}

std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, const TRegionRef& region, TColor color)
{
    if (selectionMask || !region || points.size() < 2 || source.bitCount() != 24)
        return DrawPenStroke(source, selectionMask, points, alpha, antiAlias, color);
    const TBitmap regionMask = RegionToMask(region, source.width(), source.height());
    return DrawPenStroke(source, &regionMask, points, alpha, antiAlias, color);
}

} // namespace kalvo
