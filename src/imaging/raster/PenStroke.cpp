#include "imaging/raster/PenStroke.h"

#include "image/PaintBitmap.h"
#include "image/PixelBox.h"
#include "image/PixelLine.h"
#include "image/RectOps.h"
#include "image/RegionConvert.h"
#include "imaging/raster/AntiAliasedLine.h"
#include "imaging/raster/ParallelRows.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kalvo {

namespace {

// 255 * 255 * 100: the pen's full weight (stroke, selection and opacity all complete).
constexpr std::int64_t kPenWhole = 255 * 25500;

// The stroke mask of the part `area` of a picture: the lines are drawn with the points moved by
// -area.topLeft(), which changes nothing else (both line walks depend only on the differences
// between the points), so the mask equals that part of the whole picture's mask as long as
// every pixel the lines reach outside it lies outside the picture too.
TBitmap StrokeMaskOf(const QRect& area, const TPoints& points, bool antiAlias)
{
    const int width = area.width(), height = area.height();
    TBitmap mask(width, height, 8);
    for (int y = 0; y < height; ++y)
        std::memset(mask.scanLine(y), 255, std::size_t(width));
    const QRect clip(0, 0, width, height);
    const QPoint origin = area.topLeft();
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPoint a = points[i - 1] - origin, b = points[i] - origin;
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

// The box of the picture that can carry stroke: the anti-aliased line reaches one pixel to the
// side and one beyond each end, so the points' box widened by 2 inside the picture.
QRect StrokeBox(const TBitmap& source, const TPoints& points)
{
    QRect box;
    for (const QPoint& p : points)
        box = UniteRects(box, QRect(p, QSize(1, 1)));
    return IntersectRects(box.adjusted(-2, -2, 2, 2), QRect(0, 0, source.width(), source.height()));
}

// Blends the stroke into the pixels of `box` (a copy of that part of the picture), each pixel
// weighted by the stroke mask (box-sized), by 255 minus the selection mask (whose top-left pixel
// lies at selectionOrigin in the picture; nullptr: everything selected) and by the opacity.
void BlendStroke(TBitmap& pixels, const QRect& box, const TBitmap& stroke, const TBitmap* selection,
                 QPoint selectionOrigin, int alpha, TColor color)
{
    const std::int64_t channel[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    ParallelRows(box.height(), 256, [&](int r0, int r1) {
        for (int r = r0; r < r1; ++r) {
            const int my = box.top() + r - selectionOrigin.y();
            const std::uint8_t* s = stroke.scanLine(r);
            const std::uint8_t* m = selection && my < selection->height() ? selection->scanLine(my) : nullptr;
            std::uint8_t* p = pixels.scanLine(r);
            for (int c = 0; c < box.width(); ++c) {
                const int mx = box.left() + c - selectionOrigin.x();
                const int selected = selection ? (m && mx < selection->width() ? 255 - m[mx] : 0) : 255;
                // a = weight / kPenWhole, kept as an exact fraction so that whole results are not
                // truncated to one less.
                const std::int64_t weight = std::int64_t(255 - s[c]) * selected * (100 - alpha);
                if (weight == 0)
                    continue;
                for (int k = 0; k < 3; ++k)
                    p[3 * c + k] = std::uint8_t(
                        clamp255(int(((kPenWhole - weight) * p[3 * c + k] + weight * channel[k]) / kPenWhole)));
            }
        }
    });
}

} // namespace

TBitmap PenStrokeMask(int width, int height, const TPoints& points, bool antiAlias)
{
    return StrokeMaskOf(QRect(0, 0, width, height), points, antiAlias);
}

std::optional<TPenPatch> DrawPenStrokePatch(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                            int alpha, bool antiAlias, const TRegionRef& region, TColor color)
{
    if (points.size() < 2 || source.empty() || source.bitCount() != 24)
        return std::nullopt;
    TPenPatch patch;
    patch.Box = StrokeBox(source, points);
    if (patch.Box.isEmpty())
        return patch;
    const QRect& box = patch.Box;
    const TRect at{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
    // Without a mask the region selects: its part inside the box as a box-sized mask.
    std::optional<TBitmap> regionMask;
    if (!selectionMask && region) {
        TRegion inside = region->intersected(at);
        inside.offset(-box.left(), -box.top());
        regionMask = RegionToMask(inside, box.width(), box.height());
    }
    const TBitmap stroke = StrokeMaskOf(box, points, antiAlias);
    patch.Pixels = CopyBox(source, at);
    BlendStroke(patch.Pixels, box, stroke, regionMask ? &*regionMask : selectionMask,
                regionMask ? box.topLeft() : QPoint(0, 0), std::clamp(alpha, 0, 100), color);
    return patch;
}

std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, const TRegionRef& region, TColor color)
{
    std::optional<TPenPatch> patch = DrawPenStrokePatch(source, selectionMask, points, alpha, antiAlias, region, color);
    if (!patch)
        return std::nullopt;
    TBitmap result = source;
    if (!patch->Box.isEmpty())
        CopyBitmapClipped(result, patch->Pixels, patch->Box.left(), patch->Box.top(), std::nullopt);
    return result;
}

std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, TColor color)
{
    return DrawPenStroke(source, selectionMask, points, alpha, antiAlias, std::nullopt, color);
}

} // namespace kalvo
