#include "imaging/adjust/Grayscale.h"

#include "imaging/raster/SelectionRows.h"

#include <cstdint>
#include <cstring>

namespace kalvo {

namespace {

// Y of one pixel exactly, in integers: n = 114 B + 587 G + 299 R thousandths; q = n div 1000 as
// (n div 8) times 2^22 / 125 rounded up, shifted (exact for n up to 255500, and within 32 bits);
// then (n + 499 + (q & 1)) div 1000 the same way rounds to nearest, ties to even.
inline std::uint32_t LumaOf(std::uint32_t blue, std::uint32_t green, std::uint32_t red)
{
    const std::uint32_t n = 114 * blue + 587 * green + 299 * red;
    const std::uint32_t q = ((n >> 3) * 33555) >> 22;
    const std::uint32_t m = n + 499 + (q & 1);
    return ((m >> 3) * 33555) >> 22;
}

// n pixels turned grey in place, through a local block of 64 pixels at a time so that the
// compiler can keep the three channels apart in vector registers.
__attribute__((target_clones("avx2", "default"))) void GreyPixels(std::uint8_t* p, int n)
{
    constexpr int kBlock = 64;
    int x = 0;
    for (; x + kBlock <= n; x += kBlock) {
        std::uint8_t block[3 * kBlock], grey[kBlock];
        std::memcpy(block, p + 3 * x, sizeof block);
        for (int k = 0; k < kBlock; ++k)
            grey[k] = std::uint8_t(LumaOf(block[3 * k], block[3 * k + 1], block[3 * k + 2]));
        for (int k = 0; k < kBlock; ++k)
            block[3 * k] = block[3 * k + 1] = block[3 * k + 2] = grey[k];
        std::memcpy(p + 3 * x, block, sizeof block);
    }
    for (; x < n; ++x) {
        std::uint8_t* d = p + 3 * x;
        d[0] = d[1] = d[2] = std::uint8_t(LumaOf(d[0], d[1], d[2]));
    }
}

} // namespace

int Luma(int red, int green, int blue)
{
    return int(LumaOf(std::uint32_t(blue), std::uint32_t(green), std::uint32_t(red)));
}

bool GrayscaleArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    return GrayscaleArea(bitmap, bitmap, area, mask, progress);
}

bool GrayscaleArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    return DriveSelectionRowsInto(
        source, dest, area, mask, progress, [](std::uint8_t* p, const std::uint8_t* m, int left, int right) {
            if (!m || MaskCover(m + left, right - left) == TMaskCover::All) {
                GreyPixels(p + 3 * left, right - left);
                return;
            }
            PixelsThroughMask(p, m, left, right, [](const std::uint8_t* in, std::uint8_t* out) {
                out[0] = out[1] = out[2] = std::uint8_t(LumaOf(in[0], in[1], in[2]));
            });
        });
}

bool Grayscale(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TProgressCallback& progress)
{
    return Grayscale(bitmap, bitmap, region, mask, progress);
}

bool Grayscale(const TBitmap& source, TBitmap& dest, const TRegionRef& region, const TBitmap* mask,
               const TProgressCallback& progress)
{
    return WithSelection(source, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return GrayscaleArea(source, dest, area, m, progress);
    });
}

} // namespace kalvo
