#include "canvas/OutlineOverlay.h"

#include "canvas/DashedLine.h"

#include <algorithm>
#include <cstdint>

namespace kalvo {

namespace {

int Scaled(int v, int zoom)
{
    return int((long long)v * zoom / 100);
}

} // namespace

TZoomedOutline ScaleOutline(const TPoints& outline, const TRect& box, int zoom)
{
    TZoomedOutline result;
    result.Points.reserve(outline.size());
    // Zoomed out, many unit edges shrink to a point or repeat the edge before them: neither
    // plots anything new, so the ants skip them.
    for (std::size_t i = 0; i + 1 < outline.size(); i += 2) {
        const QPoint a(Scaled(outline[i].x(), zoom), Scaled(outline[i].y(), zoom));
        const QPoint b(Scaled(outline[i + 1].x(), zoom), Scaled(outline[i + 1].y(), zoom));
        if (a == b)
            continue;
        const std::size_t n = result.Points.size();
        if (n >= 2
            && ((result.Points[n - 2] == a && result.Points[n - 1] == b)
                || (result.Points[n - 2] == b && result.Points[n - 1] == a)))
            continue;
        result.Points.push_back(a);
        result.Points.push_back(b);
    }
    if (!outline.empty())
        result.Box = {Scaled(box.left, zoom), Scaled(box.top, zoom), Scaled(box.right, zoom), Scaled(box.bottom, zoom)};
    return result;
}

bool DrawOutlineSegment(QImage& frame, QPoint a, QPoint b, const TOutlinePlacement& place)
{
    a -= QPoint(place.OffsetX, place.OffsetY);
    b -= QPoint(place.OffsetX, place.OffsetY);
    if ((a.x() < 0 && b.x() < 0) || (a.y() < 0 && b.y() < 0))
        return false;
    const int maxX = place.DisplayWidth + 1, maxY = place.DisplayHeight + 1;
    if ((a.x() > maxX && b.x() > maxX) || (a.y() > maxY && b.y() > maxY))
        return false;
    BufferDashLine({&frame, place.DisplayWidth + 1, place.DisplayHeight + 1, place.Phase}, a, b);
    return true;
}

void DrawOutlineSegments(QImage& frame, const TPoints& zoomed, const TOutlinePlacement& place)
{
    DrawOutlineSegments(frame, zoomed, place, [] { return true; });
}

namespace {

void DrawHandle(QImage& frame, int cx, int cy, const TOutlinePlacement& place)
{
    const int half = CornerHandleReach(place.HandleScale);
    const int x0 = cx - half, y0 = cy - half, x1 = cx + half + 1, y1 = cy + half + 1;
    const int right = std::min(place.DisplayWidth, frame.width() - 1);
    const int bottom = std::min(place.DisplayHeight, frame.height() - 1);
    for (int y = std::max(y0, 0); y <= std::min(y1, bottom); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(frame.scanLine(y));
        for (int x = std::max(x0, 0); x <= std::min(x1, right); ++x) {
            const bool border = x == x0 || x == x1 || y == y0 || y == y1;
            row[x] = border ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
}

} // namespace

void DrawCornerHandles(QImage& frame, const TRect& box, const TOutlinePlacement& place)
{
    const int l = box.left - place.OffsetX, t = box.top - place.OffsetY;
    const int r = box.right - place.OffsetX, b = box.bottom - place.OffsetY;
    DrawHandle(frame, l, t, place);
    DrawHandle(frame, r, t, place);
    DrawHandle(frame, l, b, place);
    DrawHandle(frame, r, b, place);
}

QRect OutlineFrameBounds(const TRect& box, const TOutlinePlacement& place)
{
    const int half = CornerHandleReach(place.HandleScale);
    const QRect area(QPoint(box.left - place.OffsetX - half, box.top - place.OffsetY - half),
                     QPoint(box.right - place.OffsetX + half + 1, box.bottom - place.OffsetY + half + 1));
    return area.intersected(QRect(0, 0, place.DisplayWidth + 1, place.DisplayHeight + 1));
}

} // namespace kalvo
