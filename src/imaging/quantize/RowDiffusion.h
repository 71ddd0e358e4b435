#pragma once
// One row of the Floyd-Steinberg diffusion, a pixel at a time. The pushes into the right
// neighbour and into the row below are carried from pixel to pixel; a pixel of the row below is
// stored once it has received all three of its shares (from x - 1, x and x + 1, in that order),
// each clamped to 0..255 after the change.
//
// cur holds the working copy of row y (blue, green, red per pixel, kPixelBytes apart); below is
// the source row y + 1, or null for the last row; next receives the working copy of row y + 1.
// Pixel x - 1 of next is final after step(x), the last one after finish(). next has one spare
// pixel in front (the below-left push of pixel 0 lands there).
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
    static constexpr int kPixelBytes = 3; // of the working rows

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
// a fourth lane that is computed and never stored). The error goes into two vectors of shares,
// 7 and 5 sixteenths side by side and 3 and 1 sixteenths side by side; the two pixels of the row
// below that are still receiving shares sit side by side too. Packing to bytes saturates to
// 0..255, which is the clamp of a value about to be stored.
template <class Out>
class TRowDiffusionSse2 {
public:
    // The working rows hold four bytes per pixel, so that each pixel is stored and loaded whole
    // (a load that overlaps a recent store only in part would wait for the store).
    static constexpr int kPixelBytes = 4;

    TRowDiffusionSse2(const std::uint8_t* cur, const std::uint8_t* below, std::uint8_t* next, int width, Out* out)
        : cur_(cur), below_(below), next_(next), width_(width), out_(out)
    {
        if (below_ && width_ > 0)
            pending_ = _mm_slli_si128(loadPixel(below_, width_ == 1), 8);
    }

    template <class Choose>
    void step(int x, Choose& choose)
    {
        const __m128i v = clamp(_mm_sub_epi16(loadPixel(cur_ + 4 * x, false), right_));
        const std::uint32_t key = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(v, v))) & 0xFFFFFF;
        std::uint32_t colour = 0;
        out_[x] = choose(key, colour);
        const __m128i d = _mm_sub_epi16(widen(colour), v);
        const __m128i dd = _mm_unpacklo_epi64(d, d);
        const __m128i sevenFive = shares(dd, _mm_set_epi16(5, 5, 5, 5, 7, 7, 7, 7));
        right_ = sevenFive; // the upper half is never used
        if (!below_)
            return;
        const __m128i threeOne = shares(dd, _mm_set_epi16(1, 1, 1, 1, 3, 3, 3, 3));
        // pixel x - 1 takes 3/16 and is done; pixel x takes 5/16.
        const __m128i taken = _mm_sub_epi16(pending_, blendHalves(threeOne, sevenFive));
        storePixel(next_ + 4 * (x - 1), taken);
        // Pixel x + 1 comes in and takes 1/16.
        const __m128i incoming = x + 1 < width_ ? loadPixel(below_ + 3 * (x + 1), x + 2 == width_)
                                                : _mm_setzero_si128();
        const __m128i shifted = _mm_unpacklo_epi64(_mm_unpackhi_epi64(taken, taken), incoming);
        pending_ = clamp(_mm_sub_epi16(shifted, _mm_unpackhi_epi64(_mm_setzero_si128(), threeOne)));
    }

    void finish()
    {
        if (below_ && width_ > 0)
            storePixel(next_ + 4 * (width_ - 1), pending_);
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

    // Writes the lower half's four lanes as bytes, saturated to 0..255.
    static void storePixel(std::uint8_t* p, __m128i v)
    {
        const std::uint32_t bytes = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
        std::memcpy(p, &bytes, 4);
    }

    static __m128i clamp(__m128i v)
    {
        return _mm_min_epi16(_mm_max_epi16(v, _mm_setzero_si128()), _mm_set1_epi16(255));
    }

    // The lower half of low, the upper half of high.
    static __m128i blendHalves(__m128i low, __m128i high)
    {
        return _mm_castpd_si128(_mm_move_sd(_mm_castsi128_pd(high), _mm_castsi128_pd(low)));
    }

    // (d * weight) / 16 per lane, the division truncating toward zero.
    static __m128i shares(__m128i d, __m128i weights)
    {
        const __m128i t = _mm_mullo_epi16(d, weights);
        const __m128i bias = _mm_and_si128(_mm_srai_epi16(t, 15), _mm_set1_epi16(15));
        return _mm_srai_epi16(_mm_add_epi16(t, bias), 4);
    }

    const std::uint8_t* cur_;
    const std::uint8_t* below_;
    std::uint8_t* next_;
    int width_;
    Out* out_;
    __m128i right_ = _mm_setzero_si128();   // the previous pixel's 7/16 (lower half)
    __m128i pending_ = _mm_setzero_si128(); // row below: pixel x - 1 (lower half) and x (upper half)
};

template <class Out>
using TRowDiffusion = TRowDiffusionSse2<Out>;

#else

template <class Out>
using TRowDiffusion = TRowDiffusionScalar<Out>;

#endif

} // namespace kalvo::detail
