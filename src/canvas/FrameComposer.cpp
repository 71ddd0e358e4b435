#include "canvas/FrameComposer.h"

#include "canvas/NearestStretch.h"

#include <algorithm>
#include <cstring>

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

// The source rectangle limited to the image, and the drawn size to the frame.
TFrameSource Limited(const TBitmap& image, TFrameSource s, const QImage& frame)
{
    s.ScrollX = std::clamp(s.ScrollX, 0, image.width());
    s.ScrollY = std::clamp(s.ScrollY, 0, image.height());
    s.SourceWidth = std::clamp(s.SourceWidth, 0, image.width() - s.ScrollX);
    s.SourceHeight = std::clamp(s.SourceHeight, 0, image.height() - s.ScrollY);
    s.DrawWidth = std::clamp(s.DrawWidth, 0, frame.width());
    s.DrawHeight = std::clamp(s.DrawHeight, 0, frame.height());
    if (s.SourceWidth == 0 || s.SourceHeight == 0 || s.Zoom <= 0)
        s.DrawWidth = s.DrawHeight = 0;
    return s;
}

} // namespace

void ComposeFrame(const TBitmap& image, const TFrameSource& requested, QImage& frame, TReducedImages* reduced)
{
    if (frame.format() != QImage::Format_RGB32 || image.empty())
        return;
    const TFrameSource s = Limited(image, requested, frame);
    if (s.DrawWidth == 0 || s.DrawHeight == 0)
        return;
    const int k = reduced ? TReducedImages::FactorFor(s.Zoom) : 1;
    const TStretchSource pixels =
        k > 1 ? TStretchSource::OfFrame(reduced->Level(image, k)) : TStretchSource::Of(image);
    const TRowStretcher stretcher(pixels, ColumnMap(s.ScrollX, s.SourceWidth, s.DrawWidth, s.Zoom, k));
    const qsizetype stride = frame.bytesPerLine();
    std::uint8_t* bits = frame.bits();
    const std::size_t rowBytes = std::size_t(s.DrawWidth) * 4;
    int previous = -1;
    for (int y = 0; y < s.DrawHeight; ++y) {
        const int sy = (s.ScrollY + std::min(int((long long)y * 100 / s.Zoom), s.SourceHeight - 1)) / k;
        std::uint8_t* out = bits + stride * y;
        if (sy == previous)
            std::memcpy(out, out - stride, rowBytes);
        else
            stretcher.Stretch(sy, reinterpret_cast<std::uint32_t*>(out));
        previous = sy;
    }
}

void PaintFrameEdge(QImage& frame, int drawWidth, int drawHeight, TColor color)
{
    if (frame.format() != QImage::Format_RGB32 || drawWidth < 0 || drawHeight < 0)
        return;
    const std::uint32_t pixel = FramePixel(color);
    if (drawWidth < frame.width())
        for (int y = 0; y <= drawHeight && y < frame.height(); ++y)
            reinterpret_cast<std::uint32_t*>(frame.scanLine(y))[drawWidth] = pixel;
    if (drawHeight < frame.height()) {
        auto* row = reinterpret_cast<std::uint32_t*>(frame.scanLine(drawHeight));
        std::fill(row, row + std::min(drawWidth + 1, frame.width()), pixel);
    }
}

} // namespace kalvo
