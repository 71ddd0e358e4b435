#include "canvas/FrameComposer.h"

#include "canvas/NearestStretch.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace kalvo {

TFrameSource FrameSourceOf(const TViewGeometry& g)
{
    return {g.ScrollX, g.ScrollY, g.SourceWidth, g.SourceHeight, g.DrawWidth, g.DrawHeight, g.Zoom};
}

QImage CreateFrameBuffer(int width, int height)
{
    QImage frame(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    frame.fill(0xFF000000u);
    return frame;
}

namespace {

// The source rectangle limited to the image, and the drawn size to the frame's part in out.
TFrameSource Limited(const TBitmap& image, TFrameSource s, const QImage& out, QPoint origin)
{
    s.ScrollX = std::clamp(s.ScrollX, 0, image.width());
    s.ScrollY = std::clamp(s.ScrollY, 0, image.height());
    s.SourceWidth = std::clamp(s.SourceWidth, 0, image.width() - s.ScrollX);
    s.SourceHeight = std::clamp(s.SourceHeight, 0, image.height() - s.ScrollY);
    s.DrawWidth = std::clamp(s.DrawWidth, 0, std::max(0, origin.x() + out.width()));
    s.DrawHeight = std::clamp(s.DrawHeight, 0, std::max(0, origin.y() + out.height()));
    if (s.SourceWidth == 0 || s.SourceHeight == 0 || s.Zoom <= 0)
        s.DrawWidth = s.DrawHeight = 0;
    return s;
}

} // namespace

void ComposeFrame(const TBitmap& image, const TFrameSource& requested, QImage& frame, TReducedImages* reduced)
{
    ComposeFrameArea(image, requested, frame, reduced, QRect(0, 0, frame.width(), frame.height()));
}

void ComposeFrameArea(const TBitmap& image, const TFrameSource& requested, QImage& frame, TReducedImages* reduced,
                      const QRect& area, QPoint origin)
{
    if (frame.format() != QImage::Format_RGB32 || image.empty())
        return;
    const TFrameSource s = Limited(image, requested, frame, origin);
    const QRect drawn = area & QRect(0, 0, s.DrawWidth, s.DrawHeight) & QRect(origin, frame.size());
    if (drawn.isEmpty())
        return;
    int k = reduced ? TReducedImages::FactorFor(s.Zoom) : 1;
    const QImage* level = k > 1 ? &reduced->Level(image, k) : nullptr;
    // Without memory for the reduced copy the frame is stretched from the image itself.
    if (level && level->isNull())
        k = 1;
    const TStretchSource pixels = k > 1 ? TStretchSource::OfFrame(*level) : TStretchSource::Of(image);
    std::vector<int> columns = ColumnMap(s.ScrollX, s.SourceWidth, s.DrawWidth, s.Zoom, k);
    if (drawn.left() > 0 || drawn.width() < s.DrawWidth)
        columns = std::vector<int>(columns.begin() + drawn.left(), columns.begin() + drawn.left() + drawn.width());
    const TRowStretcher stretcher(pixels, std::move(columns));
    const qsizetype stride = frame.bytesPerLine();
    std::uint8_t* bits = frame.bits() + std::size_t(drawn.left() - origin.x()) * 4;
    const std::size_t rowBytes = std::size_t(drawn.width()) * 4;
    int previous = -1;
    for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
        const int sy = (s.ScrollY + std::min(int((long long)y * 100 / s.Zoom), s.SourceHeight - 1)) / k;
        std::uint8_t* out = bits + stride * (y - origin.y());
        if (sy == previous)
            std::memcpy(out, out - stride, rowBytes);
        else
            stretcher.Stretch(sy, reinterpret_cast<std::uint32_t*>(out));
        previous = sy;
    }
}

namespace {

// The frame positions [first, end) of the map whose shown image position, k times the mapped
// one, lies in [from, to); the map is non-decreasing.
std::pair<int, int> MappedRange(const std::vector<int>& map, int k, int from, int to)
{
    const auto first = std::partition_point(map.begin(), map.end(), [&](int v) { return k * v < from; });
    const auto end = std::partition_point(first, map.end(), [&](int v) { return k * v < to; });
    return {int(first - map.begin()), int(end - map.begin())};
}

} // namespace

void ComposeFramePatch(const TBitmap& image, const TBitmap& patch, QPoint at, const TFrameSource& requested,
                       QImage& frame, int k, QPoint origin)
{
    if (frame.format() != QImage::Format_RGB32 || image.empty() || patch.empty())
        return;
    const TFrameSource s = Limited(image, requested, frame, origin);
    k = std::max(k, 1);
    const std::vector<int> columns = ColumnMap(s.ScrollX, s.SourceWidth, s.DrawWidth, s.Zoom, k);
    const auto [mappedX0, mappedX1] = MappedRange(columns, k, at.x(), at.x() + patch.width());
    std::vector<int> rows(std::size_t(s.DrawHeight));
    for (int y = 0; y < s.DrawHeight; ++y)
        rows[std::size_t(y)] = (s.ScrollY + std::min(int((long long)y * 100 / s.Zoom), s.SourceHeight - 1)) / k;
    const auto [mappedY0, mappedY1] = MappedRange(rows, k, at.y(), at.y() + patch.height());
    // Only the part of the frame that out holds.
    const int x0 = std::max(mappedX0, origin.x()), x1 = std::min(mappedX1, origin.x() + frame.width());
    const int y0 = std::max(mappedY0, origin.y()), y1 = std::min(mappedY1, origin.y() + frame.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    std::vector<int> patchColumns(std::size_t(x1 - x0));
    for (int x = x0; x < x1; ++x)
        patchColumns[std::size_t(x - x0)] = k * columns[std::size_t(x)] - at.x();
    const TRowStretcher stretcher(TStretchSource::Of(patch), std::move(patchColumns));
    for (int y = y0; y < y1; ++y)
        stretcher.Stretch(k * rows[std::size_t(y)] - at.y(),
                          reinterpret_cast<std::uint32_t*>(frame.scanLine(y - origin.y())) + (x0 - origin.x()));
}

namespace {

// The first frame coordinate whose source offset min(f * 100 / zoom, last) reaches offset.
long long FirstFrameAt(long long offset, int zoom)
{
    if (offset <= 0)
        return 0;
    return (offset * zoom + 99) / 100;
}

// Frame coordinates [first, end) showing source offsets first..last (relative to the scroll
// position), `span` source pixels visible, `drawn` frame pixels.
std::pair<int, int> FrameRange(long long first, long long last, int span, int drawn, int zoom)
{
    if (last < 0 || first > span - 1 || drawn <= 0)
        return {0, 0};
    const long long begin = FirstFrameAt(first, zoom);
    // The last source pixel also shows in every frame pixel beyond the source.
    const long long end = last >= span - 1 ? drawn : FirstFrameAt(last + 1, zoom);
    return {int(std::clamp<long long>(begin, 0, drawn)), int(std::clamp<long long>(end, 0, drawn))};
}

} // namespace

QRect FrameAreaOf(const TFrameSource& s, const QRect& imageRect, int k)
{
    if (imageRect.isEmpty() || s.Zoom <= 0)
        return {};
    k = std::max(k, 1);
    // Through a reduced copy a frame pixel over source column c shows column k * (c div k) <= c.
    const auto [x0, x1] = FrameRange(imageRect.left() - s.ScrollX, imageRect.right() + k - 1 - s.ScrollX, s.SourceWidth,
                                     s.DrawWidth, s.Zoom);
    const auto [y0, y1] = FrameRange(imageRect.top() - s.ScrollY, imageRect.bottom() + k - 1 - s.ScrollY,
                                     s.SourceHeight, s.DrawHeight, s.Zoom);
    if (x0 >= x1 || y0 >= y1)
        return {};
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

void PaintFrameEdge(QImage& frame, int drawWidth, int drawHeight, TColor color, QPoint origin)
{
    if (frame.format() != QImage::Format_RGB32 || drawWidth < 0 || drawHeight < 0)
        return;
    const std::uint32_t pixel = FramePixel(color);
    // In out's coordinates.
    const int column = drawWidth - origin.x(), row = drawHeight - origin.y();
    if (column >= 0 && column < frame.width())
        for (int y = std::max(0, -origin.y()); y <= row && y < frame.height(); ++y)
            reinterpret_cast<std::uint32_t*>(frame.scanLine(y))[column] = pixel;
    if (row >= 0 && row < frame.height()) {
        auto* line = reinterpret_cast<std::uint32_t*>(frame.scanLine(row));
        std::fill(line + std::max(0, -origin.x()), line + std::clamp(column + 1, 0, frame.width()), pixel);
    }
}

} // namespace kalvo
