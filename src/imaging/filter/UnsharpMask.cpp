#include "imaging/filter/UnsharpMask.h"

#include "imaging/filter/FloatVectors.h"
#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/GaussianRows.h"
#include "imaging/raster/SelectionRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kalvo {

namespace {

// out[i] = RoundToByte(v + amount d) where |d| >= threshold, else v, with v = p[i] and
// d = v - blurred[i]; sixteen at a time.
__attribute__((target_clones("avx512f", "avx2", "default"))) void SharpenBytes(const std::uint8_t* p,
                                                                               const float* blurred, std::uint8_t* out,
                                                                               int n, float amount, float threshold)
{
    int i = 0;
    const TFloats16 zero = {}, top = zero + 255.0f, shift = zero + 12582912.0f;
    for (; i + 16 <= n; i += 16) {
        TBytes16 bytes;
        TFloats16 b;
        std::memcpy(&bytes, p + i, sizeof bytes);
        std::memcpy(&b, blurred + i, sizeof b);
        const TFloats16 v = __builtin_convertvector(bytes, TFloats16);
        const TFloats16 d = v - b;
        TFloats16 r = v + amount * d;
        r = r < zero ? zero : r;
        r = r > top ? top : r;
        r = (r + shift) - shift;
        const TFloats16 magnitude = d < zero ? -d : d;
        r = magnitude >= threshold ? r : v;
        const TBytes16 result = __builtin_convertvector(__builtin_convertvector(r, TInts16), TBytes16);
        std::memcpy(out + i, &result, sizeof result);
    }
    for (; i < n; ++i) {
        const float v = p[i], d = v - blurred[i];
        out[i] = std::fabs(d) >= threshold ? RoundToByte(v + amount * d) : p[i];
    }
}

} // namespace

bool UnsharpMaskArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask, const TUnsharpMask& params,
                     const TProgressCallback& progress)
{
    return UnsharpMaskArea(bitmap, bitmap, area, mask, params, progress);
}

bool UnsharpMaskArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                     const TUnsharpMask& params, const TProgressCallback& progress)
{
    const QRect box = MaskedBox(source, area, mask);
    if (!PrepareDestination(source, dest, box))
        return false;
    const int left = box.left(), right = box.left() + box.width();
    const float amount = float(std::clamp(params.Amount, 1, 500)) / 100.0f;
    const float threshold = float(std::clamp(params.Threshold, 0, 255));
    GaussianRows(
        source, box, params.Sigma, progress,
        [&](int y, const float* values, std::uint8_t* bytes) {
            // The source row still holds the original values (in place, this is where they are
            // written).
            SharpenBytes(source.scanLine(y) + 3 * left, values, bytes, 3 * box.width(), amount, threshold);
            WriteThroughMask(DestinationRow(source, dest, y), bytes, mask ? mask->scanLine(y) : nullptr, left, right);
        },
        &dest == &source);
    return true;
}

bool UnsharpMask(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TUnsharpMask& params,
                 const TProgressCallback& progress)
{
    return WithSelection(bitmap, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return UnsharpMaskArea(bitmap, area, m, params, progress);
    });
}

} // namespace kalvo
