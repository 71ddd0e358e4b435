#include "imaging/adjust/HueSaturation.h"

#include "imaging/filter/FloatVectors.h"
#include "imaging/raster/SelectionRows.h"

#include <algorithm>
#include <cstring>

// The helpers below return 64-byte vectors; they have internal linkage and are inlined, so GCC's
// note that returning such vectors changes with AVX-512 concerns no call (clang has the same warning).
#pragma GCC diagnostic ignored "-Wpsabi"

namespace kalvo {

namespace {

// The settings as the pixel formula uses them: the hue shift in sixths of a turn, the
// saturation factor, and the new lightness as LightScale L + LightAdd (L on the 0..255 scale).
struct THslShift {
    float Hue6 = 0;
    float SaturationScale = 1;
    float LightScale = 1;
    float LightAdd = 0;
};

THslShift ShiftOf(const THueSaturation& params)
{
    const float l = float(std::clamp(params.Lightness, -100, 100)) / 100.0f;
    THslShift s;
    s.Hue6 = float(std::clamp(params.Hue, -180, 180)) / 60.0f;
    s.SaturationScale = 1.0f + float(std::clamp(params.Saturation, -100, 100)) / 100.0f;
    // L (1 + l) for l < 0, else L + (1 - L) l = L (1 - l) + l.
    s.LightScale = l < 0 ? 1.0f + l : 1.0f - l;
    s.LightAdd = l < 0 ? 0.0f : 255.0f * l;
    return s;
}

constexpr int kLanes = 16;

[[gnu::always_inline]] inline TFloats16 Min(const TFloats16& a, const TFloats16& b)
{
    return a < b ? a : b;
}

[[gnu::always_inline]] inline TFloats16 Max(const TFloats16& a, const TFloats16& b)
{
    return a > b ? a : b;
}

[[gnu::always_inline]] inline TFloats16 Abs(const TFloats16& a)
{
    return a < 0 ? -a : a;
}

[[gnu::always_inline]] inline TFloats16 Unit(const TFloats16& a)
{
    return Min(Max(a, TFloats16{} + 0.0f), TFloats16{} + 1.0f);
}

// Sixteen bytes as floats (GCC widens this element list in one instruction, but converts a byte
// vector with __builtin_convertvector byte by byte).
[[gnu::always_inline]] inline TFloats16 Floats(const TBytes16& v)
{
    const TInts16 wide = {v[0], v[1], v[2],  v[3],  v[4],  v[5],  v[6],  v[7],
                          v[8], v[9], v[10], v[11], v[12], v[13], v[14], v[15]};
    return __builtin_convertvector(wide, TFloats16);
}

// Round(v) clamped to 0..255, ties to even. A value within 2^-10 of a half-integer counts as that
// half-integer: in single precision an exact tie (127.5 for pure red at half its lightness) may
// come out a unit of the last place off, which would round it the other way.
[[gnu::always_inline]] inline TFloats16 Rounded(const TFloats16& value)
{
    const TFloats16 v = Min(Max(value, TFloats16{} + 0.0f), TFloats16{} + 255.0f);
    // Adding and taking away 1.5 * 2^23 rounds to the nearest integer, ties to even.
    constexpr float shift = 12582912.0f;
    const TFloats16 down = ((v - 0.5f) + shift) - shift; // an integer near floor(v)
    const TFloats16 half = down + 0.5f;
    const TFloats16 snapped = Abs(v - half) < 1.0f / 1024 ? half : v;
    return (snapped + shift) - shift;
}

// Shuffles between the 48 values of 16 interleaved pixels and three channel vectors, each in two
// steps of two sources: kGather[c] picks channel c's values from the first 32, kGatherRest[c]
// keeps those and adds the ones from the last 16. kSpread[j] places the blue and green values of
// output chunk j, kSpreadRest[j] adds the red ones.
constexpr TInts16 kGather[3] = {{0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 0, 0, 0, 0, 0},
                                {1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 0, 0, 0, 0, 0},
                                {2, 5, 8, 11, 14, 17, 20, 23, 26, 29, 0, 0, 0, 0, 0, 0}};
constexpr TInts16 kGatherRest[3] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 20, 23, 26, 29},
                                    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 18, 21, 24, 27, 30},
                                    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 19, 22, 25, 28, 31}};
constexpr TInts16 kSpread[3] = {{0, 16, 0, 1, 17, 0, 2, 18, 0, 3, 19, 0, 4, 20, 0, 5},
                                {21, 0, 6, 22, 0, 7, 23, 0, 8, 24, 0, 9, 25, 0, 10, 26},
                                {0, 11, 27, 0, 12, 28, 0, 13, 29, 0, 14, 30, 0, 15, 31, 0}};
constexpr TInts16 kSpreadRest[3] = {{0, 1, 16, 3, 4, 17, 6, 7, 18, 9, 10, 19, 12, 13, 20, 15},
                                    {0, 21, 2, 3, 22, 5, 6, 23, 8, 9, 24, 11, 12, 25, 14, 15},
                                    {26, 1, 2, 27, 4, 5, 28, 7, 8, 29, 10, 11, 30, 13, 14, 31}};

// Lane i of the result is lane mask[i] of a and b side by side. GCC's builtin takes the mask as
// a vector; clang (the fuzz build) has only constant indices, so it gets the plain loop.
template <class TVector>
[[gnu::always_inline]] inline TVector Shuffle(TVector a, TVector b, TInts16 mask)
{
#if defined(__clang__)
    TVector result;
    for (int i = 0; i < 16; ++i)
        result[i] = mask[i] < 16 ? a[mask[i]] : b[mask[i] - 16];
    return result;
#else
    return __builtin_shuffle(a, b, mask);
#endif
}

// kLanes pixels (48 bytes: blue, green, red each) through the hexcone model in single precision,
// on the 0..255 scale (the ratios for hue and saturation do not depend on it), branch-free and
// alike in every lane. Single precision: a result differs from that of exact double arithmetic
// by at most 1 per channel value, which the adjustment allows (about 1 value in 2000 does; at
// the identity settings every colour comes back unchanged).
[[gnu::always_inline]] inline void HslBlock(const THslShift& s, const std::uint8_t* in, std::uint8_t* out)
{
    TBytes16 bytes[3];
    std::memcpy(bytes, in, sizeof bytes);
    const TFloats16 values[3] = {Floats(bytes[0]), Floats(bytes[1]), Floats(bytes[2])};
    TFloats16 channel[3];
    for (int c = 0; c < 3; ++c)
        channel[c] = Shuffle(Shuffle(values[0], values[1], kGather[c]), values[2], kGatherRest[c]);
    const TFloats16 &b = channel[0], &g = channel[1], &r = channel[2];
    const TFloats16 zero{}, one = zero + 1.0f;
    const TFloats16 max = Max(Max(r, g), b), min = Min(Min(r, g), b);
    const TFloats16 d = max - min, sum = max + min;
    // The hue in sixths of a turn, shifted and brought back into [0, 6).
    const TFloats16 rising = max == r ? g - b : (max == g ? b - r : r - g);
    TFloats16 hue = rising / (d > 0 ? d : one) + (max == r ? zero : (max == g ? zero + 2.0f : zero + 4.0f));
    hue += s.Hue6;
    hue += hue < 0 ? zero + 6.0f : zero;
    hue -= hue >= 6.0f ? zero + 6.0f : zero;
    const TFloats16 saturation = Unit(d / (d > 0 ? 255.0f - Abs(sum - 255.0f) : one) * s.SaturationScale);
    const TFloats16 lightness = sum * 0.5f * s.LightScale + s.LightAdd;
    const TFloats16 chroma = (255.0f - Abs(2.0f * lightness - 255.0f)) * saturation;
    const TFloats16 m = lightness - chroma * 0.5f;
    const TFloats16 blue = Rounded(m + chroma * Unit(2.0f - Abs(hue - 4.0f)));
    const TFloats16 green = Rounded(m + chroma * Unit(2.0f - Abs(hue - 2.0f)));
    const TFloats16 red = Rounded(m + chroma * Unit(Abs(hue - 3.0f) - 1.0f));
    for (int j = 0; j < 3; ++j)
        bytes[j] = __builtin_convertvector(
            __builtin_convertvector(Shuffle(Shuffle(blue, green, kSpread[j]), red, kSpreadRest[j]), TInts16), TBytes16);
    std::memcpy(out, bytes, sizeof bytes);
}

// n pixels from in to out (which may be in), kLanes at a time; the last few through a padded
// local block, so that every pixel goes through the same code.
__attribute__((target_clones("avx512f", "avx2", "default"))) void HslPixels(const THslShift& s, const std::uint8_t* in,
                                                                            std::uint8_t* out, int n)
{
    int x = 0;
    for (; x + kLanes <= n; x += kLanes)
        HslBlock(s, in + 3 * x, out + 3 * x);
    if (x < n) {
        std::uint8_t block[3 * kLanes] = {};
        std::memcpy(block, in + 3 * x, std::size_t(3 * (n - x)));
        HslBlock(s, block, block);
        std::memcpy(out + 3 * x, block, std::size_t(3 * (n - x)));
    }
}

} // namespace

void HueSaturationPixel(const THueSaturation& params, const std::uint8_t* in, std::uint8_t* out)
{
    HslPixels(ShiftOf(params), in, out, 1);
}

bool HueSaturationArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                       const THueSaturation& params, const TProgressCallback& progress)
{
    return HueSaturationArea(bitmap, bitmap, area, mask, params, progress);
}

bool HueSaturationArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                       const THueSaturation& params, const TProgressCallback& progress)
{
    const THslShift shift = ShiftOf(params);
    return DriveSelectionRowsInto(source, dest, area, mask, progress,
                                  [&](std::uint8_t* p, const std::uint8_t* m, int left, int right) {
                                      const TMaskCover cover = m ? MaskCover(m + left, right - left) : TMaskCover::All;
                                      if (cover == TMaskCover::None)
                                          return;
                                      if (cover == TMaskCover::All) {
                                          HslPixels(shift, p + 3 * left, p + 3 * left, right - left);
                                          return;
                                      }
                                      // Partly selected: the new pixels of a stretch, then written through the mask.
                                      constexpr int kStretch = 256;
                                      std::uint8_t fresh[3 * kStretch];
                                      for (int x = left; x < right; x += kStretch) {
                                          const int end = std::min(right, x + kStretch);
                                          HslPixels(shift, p + 3 * x, fresh, end - x);
                                          WriteThroughMask(p, fresh, m, x, end);
                                      }
                                  });
}

bool HueSaturation(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const THueSaturation& params,
                   const TProgressCallback& progress)
{
    return WithSelection(bitmap, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return HueSaturationArea(bitmap, area, m, params, progress);
    });
}

} // namespace kalvo
