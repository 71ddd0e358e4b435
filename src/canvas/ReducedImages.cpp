#include "canvas/ReducedImages.h"

#include "canvas/NearestStretch.h"

namespace kalvo {

namespace {

QImage Reduce(const TBitmap& image, int k)
{
    const int width = (image.width() + k - 1) / k, height = (image.height() + k - 1) / k;
    QImage level(width, height, QImage::Format_RGB32);
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[std::size_t(x)] = k * x;
    const TRowStretcher stretcher(TStretchSource::Of(image), std::move(columns));
    for (int y = 0; y < height; ++y)
        stretcher.Stretch(k * y, reinterpret_cast<std::uint32_t*>(level.scanLine(y)));
    return level;
}

} // namespace

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
    FLevels.emplace_back(k, Reduce(image, k));
    return FLevels.back().second;
}

} // namespace kalvo
