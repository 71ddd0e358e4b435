#include "imaging/adjust/Levels.h"

#include "imaging/raster/SelectionRows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kalvo {

namespace {

// The points of one channel's histogram of `total` values.
TLevels PointsOf(const std::array<std::int64_t, 256>& histogram, std::int64_t total)
{
    TLevels levels;
    if (total == 0)
        return levels;
    std::int64_t sum = 0;
    bool black = false;
    for (int v = 0; v < 256; ++v) {
        sum += histogram[v];
        // In thousandths, so that the percentages compare exactly.
        if (!black && sum * 1000 > 5 * total) {
            levels.Black = v;
            black = true;
        }
        if (sum * 1000 >= 995 * total) {
            levels.White = v;
            break;
        }
    }
    return levels;
}

} // namespace

TValueTable LevelsTable(const TLevels& levels)
{
    const int black = std::clamp(levels.Black, 0, 255), white = std::clamp(levels.White, 0, 255);
    const double exponent = 1 / std::clamp(levels.Gamma, 0.1, 10.0);
    const int span = std::max(white - black, 1);
    TValueTable table{};
    for (int v = 0; v < 256; ++v) {
        const double x = std::clamp(double(v - black) / span, 0.0, 1.0);
        table[v] = std::uint8_t(clamp255(RoundTie(255 * (exponent == 1 ? x : std::pow(x, exponent)))));
    }
    return table;
}

TChannelTables LevelsTables(const std::array<TLevels, 3>& channels)
{
    return {LevelsTable(channels[0]), LevelsTable(channels[1]), LevelsTable(channels[2])};
}

std::array<TLevels, 3> AutoLevelsArea(const TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask)
{
    std::array<std::array<std::int64_t, 256>, 3> histograms{};
    std::int64_t total = 0;
    if (!bitmap.empty() && bitmap.bitCount() == 24) {
        const TSelectionBox b = SelectionBox(bitmap, area, mask);
        for (int y = b.Top; y < b.Top + b.Rows; ++y) {
            const std::uint8_t* p = bitmap.scanLine(y);
            const std::uint8_t* m = mask ? MaskRow(*mask, y) : nullptr;
            if (mask && !m)
                continue;
            for (int x = b.Left; x < (mask ? b.MaskRight : b.Right); ++x) {
                if (m && m[x] == 255)
                    continue;
                ++histograms[0][p[3 * x]];
                ++histograms[1][p[3 * x + 1]];
                ++histograms[2][p[3 * x + 2]];
                ++total;
            }
        }
    }
    return {PointsOf(histograms[0], total), PointsOf(histograms[1], total), PointsOf(histograms[2], total)};
}

std::array<TLevels, 3> AutoLevels(const TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask)
{
    std::array<TLevels, 3> levels;
    WithSelection(bitmap, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        levels = AutoLevelsArea(bitmap, area, m);
        return true;
    });
    return levels;
}

} // namespace kalvo
