#pragma once
// A generated test picture shared by the codec benchmarks: smooth gradients and waves with a
// little noise, roughly as hard to code as a photograph.
#include "image/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kalvo::bench {

inline TBitmap SamplePicture(int width, int height, std::uint32_t seed)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = bmp.scanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            const double wave = 40.0 * std::sin(x / 37.0) * std::cos(y / 53.0);
            p[0] = std::uint8_t(std::clamp(int(x * 200 / width + wave) + noise, 0, 255));
            p[1] = std::uint8_t(std::clamp(int(y * 220 / height - wave) + noise, 0, 255));
            p[2] = std::uint8_t(std::clamp(int((x + y) % 256 / 2 + 60 + wave) + noise, 0, 255));
        }
    }
    return bmp;
}

} // namespace kalvo::bench
