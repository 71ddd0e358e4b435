#include "canvas/drawing/StrokeRoundPen.h"

#include "canvas/drawing/StrokePoints.h"
#include "image/PaintBitmap.h"
#include "image/PixelLine.h"

#include <QImage>
#include <QPainter>

#include <vector>

namespace kalvo {

QRect StrokeRoundPen(TBitmap& bitmap, const TPoints& points, bool pairs, TColor color, int width,
                     const TRegionRef& clip, bool* stored)
{
    if (width <= 1)
        return DrawPixelLines(bitmap, points, pairs, color, clip, stored);
    const std::int64_t value = StoredValueOf(bitmap, color);
    if (stored)
        *stored = value >= 0;
    if (value < 0 || points.empty())
        return {};
    // The stroke is drawn in white on black over the figure's box, then written where it is set:
    // the same shape at every depth.
    QRect box;
    ForEachSegment(points, pairs, [&](QPoint a, QPoint b) { box |= QRect(a, b).normalized(); });
    const int reach = width / 2 + 2;
    box = box.adjusted(-reach, -reach, reach, reach) & QRect(0, 0, bitmap.width(), bitmap.height());
    if (box.isEmpty())
        return {};
    QImage coverage(box.size(), QImage::Format_Grayscale8);
    coverage.fill(0);
    {
        QPainter painter(&coverage);
        painter.translate(-box.left(), -box.top());
        StrokePoints(painter, points, pairs, clWhite, width);
    }
    const std::vector<std::uint8_t> inside = ClipCells(box, clip);
    QRect changed;
    for (int y = 0; y < box.height(); ++y) {
        const std::uint8_t* cover = coverage.constScanLine(y);
        const std::uint8_t* in = inside.data() + std::size_t(y) * std::size_t(box.width());
        for (int x = 0; x < box.width(); ++x) {
            if (cover[x] == 0 || !in[x])
                continue;
            PutStoredValue(bitmap, box.left() + x, box.top() + y, value);
            changed |= QRect(box.left() + x, box.top() + y, 1, 1);
        }
    }
    return changed;
}

} // namespace kalvo
