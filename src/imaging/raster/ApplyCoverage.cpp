#include "imaging/raster/ApplyCoverage.h"

#include "image/PaintBitmap.h"
#include "image/RectOps.h"

#include <algorithm>

namespace kalvo {

namespace {

std::uint8_t mix(int target, int source, int weight)
{
    return std::uint8_t((target * (255 - weight) + source * weight + 127) / 255);
}

} // namespace

QRect ApplyCoverage(TBitmap& bitmap, const TCoverage& coverage, TColor color, int alpha, const TBitmap* selectionMask,
                    const TRegionRef& region)
{
    const QRect area = IntersectRects(coverage.Area(), QRect(0, 0, bitmap.width(), bitmap.height()));
    if (area.isEmpty() || coverage.Table.empty())
        return {};
    const std::int64_t stored = StoredValueOf(bitmap, color);
    if (stored < 0)
        return {};
    const int bits = bitmap.bitCount();
    const int opacity = 100 - std::clamp(alpha, 0, 100);
    const TBitmap* mask = selectionMask && selectionMask->width() == bitmap.width()
            && selectionMask->height() == bitmap.height() && selectionMask->bitCount() == 8
        ? selectionMask
        : nullptr;
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    int left = area.right() + 1, right = -1, top = area.bottom() + 1, bottom = -1;
    ForEachRegionSpan(area, mask ? TRegionRef() : region, [&](int y, int x0, int x1) {
        const std::uint8_t* cov = coverage.Table[y - coverage.Origin.y()] - coverage.Origin.x();
        const std::uint8_t* sel = mask ? mask->scanLine(y) : nullptr;
        std::uint8_t* row = bitmap.scanLine(y);
        for (int x = x0; x < x1; ++x) {
            int weight = cov[x];
            if (sel)
                weight = weight * (255 - sel[x]) / 255;
            weight = weight * opacity / 100;
            if (weight == 0)
                continue;
            if (bits == 24) {
                std::uint8_t* p = row + 3 * x;
                p[0] = mix(p[0], b, weight);
                p[1] = mix(p[1], g, weight);
                p[2] = mix(p[2], r, weight);
            } else if (bits > 8) {
                const TColor old = bitmap.pixelColor(x, y);
                const TColor mixed = RGB(mix(GetRValue(old), r, weight), mix(GetGValue(old), g, weight),
                                         mix(GetBValue(old), b, weight));
                PutStoredValue(bitmap, x, y, weight == 255 ? stored : StoredValueOf(bitmap, mixed));
            } else if (weight >= 128) {
                PutStoredValue(bitmap, x, y, stored);
            } else {
                continue;
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    });
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace kalvo
