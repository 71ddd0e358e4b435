#pragma once
// One row of the Floyd-Steinberg diffusion, a pixel at a time. The pushes into the right
// neighbour and into the row below are carried from pixel to pixel; a pixel of the row below is
// stored once it has received all three of its shares (from x - 1, x and x + 1, in that order),
// each clamped to 0..255 after the change.
//
// cur holds the working copy of row y (blue, green, red per pixel); below is the source row
// y + 1, or null for the last row; next receives the working copy of row y + 1. Pixel x - 1 of
// next is final after step(x), the last one after finish(). next has one spare pixel in front
// (the below-left push of pixel 0 lands there), and cur and next one spare byte behind.
//
// step(x, choose) calls choose(key, colour): key is the working colour 0x00RRGGBB, colour
// receives the chosen palette colour in the same form (its top byte is ignored), and the returned
// value is stored for the pixel.
#include "imaging/quantize/QuantizeColor.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kalvo::detail {

inline int ClampChannel(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Per channel in plain integers.
template <class Out>
class TRowDiffusionScalar {
public:
    TRowDiffusionScalar(const std::uint8_t* cur, const std::uint8_t* below, std::uint8_t* next, int width, Out* out)
        : cur_(cur), below_(below), next_(next), width_(width), out_(out)
    {
        if (below_ && width_ > 0)
            for (int c = 0; c < 3; ++c)
                mid_[c] = below_[c];
    }

    template <class Choose>
    void step(int x, Choose& choose)
    {
        int v[3];
        for (int c = 0; c < 3; ++c)
            v[c] = ClampChannel(cur_[3 * x + c] - right_[c]);
        std::uint32_t colour = 0;
        out_[x] = choose(QuantizeKey(v[2], v[1], v[0]), colour);
        const int d[3] = {int(colour & 0xFF) - v[0], int((colour >> 8) & 0xFF) - v[1],
                          int((colour >> 16) & 0xFF) - v[2]};
        for (int c = 0; c < 3; ++c)
            right_[c] = d[c] * 7 / 16;
        if (!below_)
            return;
        for (int c = 0; c < 3; ++c) {
            next_[3 * (x - 1) + c] = std::uint8_t(ClampChannel(left_[c] - d[c] * 3 / 16));
            left_[c] = ClampChannel(mid_[c] - d[c] * 5 / 16);
        }
        if (x + 1 < width_)
            for (int c = 0; c < 3; ++c)
                mid_[c] = ClampChannel(below_[3 * (x + 1) + c] - d[c] / 16);
    }

    void finish()
    {
        if (below_ && width_ > 0)
            for (int c = 0; c < 3; ++c)
                next_[3 * (width_ - 1) + c] = std::uint8_t(left_[c]);
    }

private:
    const std::uint8_t* cur_;
    const std::uint8_t* below_;
    std::uint8_t* next_;
    int width_;
    Out* out_;
    int right_[3] = {0, 0, 0}; // (d * 7) / 16 of the previous pixel, taken from this one
    int mid_[3] = {0, 0, 0};   // pixel x of the row below, after the push of pixel x - 1
    int left_[3] = {0, 0, 0};  // pixel x - 1 of the row below, after the pushes of x - 2 and x - 1
};

#if defined(__SSE2__)

// The same arithmetic with the three channels side by side in 16-bit lanes (blue, green, red and
// a fourth lane that is computed and never stored). Packing to bytes saturates to 0..255, which
// is the clamp of a value about to be stored.
template <class Out>
class TRowDiffusionSse2 {
public:
    TRowDiffusionSse2(const std::uint8_t* cur, const std::uint8_t* below, std::uint8_t* next, int width, Out* out)
        : cur_(cur), below_(below), next_(next), width_(width), out_(out)
    {
        if (below_ && width_ > 0)
            mid_ = loadPixel(below_, width_ == 1);
    }

    template <class Choose>
    void step(int x, Choose& choose)
    {
        const __m128i v = clamp(_mm_sub_epi16(loadPixel(cur_ + 3 * x, false), right_));
        const std::uint32_t key = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(v, v))) & 0xFFFFFF;
        std::uint32_t colour = 0;
        out_[x] = choose(key, colour);
        const __m128i d = _mm_sub_epi16(widen(colour), v);
        right_ = share(d, 7);
        if (!below_)
            return;
        storePixel(next_ + 3 * (x - 1), _mm_sub_epi16(left_, share(d, 3)));
        left_ = clamp(_mm_sub_epi16(mid_, share(d, 5)));
        if (x + 1 < width_)
            mid_ = clamp(_mm_sub_epi16(loadPixel(below_ + 3 * (x + 1), x + 2 == width_), share(d, 1)));
    }

    void finish()
    {
        if (below_ && width_ > 0)
            storePixel(next_ + 3 * (width_ - 1), left_);
    }

private:
    static __m128i widen(std::uint32_t bytes)
    {
        return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(bytes)), _mm_setzero_si128());
    }

    // Four bytes from p, or only three for the last pixel of a source row (nothing may be read
    // after it).
    static __m128i loadPixel(const std::uint8_t* p, bool last)
    {
        std::uint32_t bytes;
        if (last)
            bytes = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
        else
            std::memcpy(&bytes, p, 4);
        return widen(bytes);
    }

    // Writes the pixel's three bytes, saturated to 0..255, and one byte after it.
    static void storePixel(std::uint8_t* p, __m128i v)
    {
        const std::uint32_t bytes = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
        std::memcpy(p, &bytes, 4);
    }

    static __m128i clamp(__m128i v)
    {
        return _mm_min_epi16(_mm_max_epi16(v, _mm_setzero_si128()), _mm_set1_epi16(255));
    }

    // (d * weight) / 16, the division truncating toward zero.
    static __m128i share(__m128i d, short weight)
    {
        __m128i t = d; // d * weight by shifts, which are quicker than a multiplication
        if (weight == 7)
            t = _mm_sub_epi16(_mm_slli_epi16(d, 3), d);
        else if (weight == 5)
            t = _mm_add_epi16(_mm_slli_epi16(d, 2), d);
        else if (weight == 3)
            t = _mm_add_epi16(_mm_slli_epi16(d, 1), d);
        const __m128i bias = _mm_and_si128(_mm_srai_epi16(t, 15), _mm_set1_epi16(15));
        return _mm_srai_epi16(_mm_add_epi16(t, bias), 4);
    }

    const std::uint8_t* cur_;
    const std::uint8_t* below_;
    std::uint8_t* next_;
    int width_;
    Out* out_;
    __m128i right_ = _mm_setzero_si128();
    __m128i mid_ = _mm_setzero_si128();
    __m128i left_ = _mm_setzero_si128();
};

template <class Out>
using TRowDiffusion = TRowDiffusionSse2<Out>;

#else

template <class Out>
using TRowDiffusion = TRowDiffusionScalar<Out>;

#endif

} // namespace kalvo::detail
