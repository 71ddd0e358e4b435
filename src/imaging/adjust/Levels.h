#pragma once
// Levels: input black and white points and a gamma, per channel, with automatic points taken
// from the picture's histogram.
#include "imaging/adjust/ChannelTables.h"

namespace kalvo {

struct TLevels {
    int Black = 0;      // input black point 0..255
    int White = 255;    // input white point 0..255
    double Gamma = 1.0; // 0.1..10
    bool operator==(const TLevels&) const = default;
};

// v' = Round(255 clamp((v - Black) / max(White - Black, 1), 0, 1) ^ (1 / Gamma)); the points
// are limited to 0..255 and the gamma to 0.1..10.
TValueTable LevelsTable(const TLevels& levels);
// The tables of three channels' levels (blue, green, red).
TChannelTables LevelsTables(const std::array<TLevels, 3>& channels);

// The automatic points of each channel (blue, green, red) over the selected pixels (mask value
// below 255; all pixels of the area without a mask): black is the smallest value whose
// cumulative count exceeds 0.5 % of the pixels, white the smallest whose cumulative count
// reaches 99.5 %; gamma 1. Without selected pixels the levels change nothing.
std::array<TLevels, 3> AutoLevelsArea(const TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask);
std::array<TLevels, 3> AutoLevels(const TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask);

} // namespace kalvo
