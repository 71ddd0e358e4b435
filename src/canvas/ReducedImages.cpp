#include "canvas/ReducedImages.h"

#include "canvas/NearestStretch.h"

#include <algorithm>

namespace kalvo {

namespace {

QImage Reduce(const TBitmap& image, int k)
{
    const int width = (image.width() + k - 1) / k, height = (image.height() + k - 1) / k;
    QImage level(width, height, QImage::Format_RGB32);
    if (level.isNull())
        return level;
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[std::size_t(x)] = k * x;
    const TRowStretcher stretcher(TStretchSource::Of(image), std::move(columns));
    for (int y = 0; y < height; ++y)
        stretcher.Stretch(k * y, reinterpret_cast<std::uint32_t*>(level.scanLine(y)));
    return level;
}

} // namespace

void TReducedImages::Update(const TBitmap& image, const QRect& rect)
{
    const QRect inside = rect & QRect(0, 0, image.width(), image.height());
    if (inside.isEmpty())
        return;
    for (auto& [k, level] : FLevels) {
        // The copy's pixels (x, y) that are image pixels (k x, k y) inside the rectangle.
        const int x0 = (inside.left() + k - 1) / k, x1 = std::min(inside.right() / k + 1, level.width());
        const int y0 = (inside.top() + k - 1) / k, y1 = std::min(inside.bottom() / k + 1, level.height());
        if (x0 >= x1 || y0 >= y1)
            continue;
        std::vector<int> columns(static_cast<std::size_t>(x1 - x0));
        for (int x = x0; x < x1; ++x)
            columns[std::size_t(x - x0)] = k * x;
        const TRowStretcher stretcher(TStretchSource::Of(image), std::move(columns));
        for (int y = y0; y < y1; ++y)
            stretcher.Stretch(k * y, reinterpret_cast<std::uint32_t*>(level.scanLine(y)) + x0);
    }
}

int TReducedImages::FactorFor(int zoom)
{
    return zoom > 0 && zoom * 2 <= 100 ? 100 / zoom : 1;
}

const QImage& TReducedImages::Level(const TBitmap& image, int k)
{
    for (const auto& level : FLevels)
        if (level.first == k)
            return level.second;
    if (FLevels.size() >= kKeep)
        FLevels.erase(FLevels.begin());
    QImage level = Reduce(image, k);
    if (level.isNull()) {
        // No memory for the copy: the caller composes from the image itself.
        static const QImage none;
        return none;
    }
    FLevels.emplace_back(k, std::move(level));
    return FLevels.back().second;
}

} // namespace kalvo
