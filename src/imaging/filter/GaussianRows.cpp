#include "imaging/filter/GaussianRows.h"

#include "image/RectOps.h"
#include "imaging/filter/FloatVectors.h"
#include "imaging/raster/RowDriver.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace kalvo {

namespace {

// out[i] = w[0] centre[i] + sum over k = 1..radius of w[k] (lo(k)[i] + hi(k)[i]) for i in
// [0, n), with lo(k) and hi(k) the rows (or row positions) at offsets -k and +k. Thirty-two
// outputs at a time gather all offsets in registers; the remainder adds in the same order one
// by one, so every output gets the same single-precision operations (no fused multiply-add in
// any version).
template <typename Lo, typename Hi>
inline void SymmetricSums(float* out, const float* centre, int n, const float* w, int radius, Lo&& lo, Hi&& hi)
{
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        TFloats16 c0, c1, a, b;
        std::memcpy(&c0, centre + i, sizeof c0);
        std::memcpy(&c1, centre + i + 16, sizeof c1);
        TFloats16 s0 = w[0] * c0, s1 = w[0] * c1;
        for (int k = 1; k <= radius; ++k) {
            const float* pa = lo(k) + i;
            const float* pb = hi(k) + i;
            std::memcpy(&a, pa, sizeof a);
            std::memcpy(&b, pb, sizeof b);
            s0 += w[k] * (a + b);
            std::memcpy(&a, pa + 16, sizeof a);
            std::memcpy(&b, pb + 16, sizeof b);
            s1 += w[k] * (a + b);
        }
        std::memcpy(out + i, &s0, sizeof s0);
        std::memcpy(out + i + 16, &s1, sizeof s1);
    }
    for (; i < n; ++i) {
        float s = w[0] * centre[i];
        for (int k = 1; k <= radius; ++k)
            s += w[k] * (lo(k)[i] + hi(k)[i]);
        out[i] = s;
    }
}

// The horizontal sums of a row of interleaved pixels: neighbours lie `step` floats apart.
__attribute__((target_clones("avx512f", "avx2", "default"))) void SymmetricSum(float* out, const float* c, int n,
                                                                               int step, const float* w, int radius)
{
    SymmetricSums(
        out, c, n, w, radius, [&](int k) { return c - step * k; }, [&](int k) { return c + step * k; });
}

// The vertical sums: rows[k] is the row at offset k - radius.
__attribute__((target_clones("avx512f", "avx2", "default"))) void SymmetricRows(float* out, const float* const* rows,
                                                                                int n, const float* w, int radius)
{
    SymmetricSums(
        out, rows[radius], n, w, radius, [&](int k) { return rows[radius - k]; },
        [&](int k) { return rows[radius + k]; });
}

__attribute__((target_clones("avx512f", "avx2", "default"))) void BytesToFloats(const std::uint8_t* bytes,
                                                                                float* values, int n)
{
    for (int i = 0; i < n; ++i)
        values[i] = bytes[i];
}

// Where the source rows come from: the bitmap, except the rows around the boundary of the two
// bands, which the other band may already have overwritten: those come from a copy.
struct TBlurSource {
    const TBitmap& Bitmap;
    int CopyTop = 0;
    int CopyBottom = 0;
    std::vector<std::uint8_t> Copy;

    const std::uint8_t* row(int y) const
    {
        if (y >= CopyTop && y < CopyBottom)
            return Copy.data() + std::size_t(y - CopyTop) * Bitmap.stride();
        return Bitmap.scanLine(y);
    }
};

} // namespace

__attribute__((target_clones("avx512f", "avx2", "default"))) void RoundToBytes(const float* values, std::uint8_t* bytes,
                                                                               int n)
{
    int i = 0;
    const TFloats16 zero = {}, top = zero + 255.0f, shift = zero + 12582912.0f;
    for (; i + 16 <= n; i += 16) {
        TFloats16 v;
        std::memcpy(&v, values + i, sizeof v);
        v = v < zero ? zero : v;
        v = v > top ? top : v;
        v = (v + shift) - shift;
        const TBytes16 b = __builtin_convertvector(__builtin_convertvector(v, TInts16), TBytes16);
        std::memcpy(bytes + i, &b, sizeof b);
    }
    for (; i < n; ++i)
        bytes[i] = RoundToByte(values[i]);
}

int GaussianRadius(double sigma)
{
    sigma = std::clamp(sigma, kMinBlurSigma, kMaxBlurSigma);
    // The tolerance keeps 3 sigma of a whole sigma from rounding up past the integer.
    return int(std::ceil(3 * sigma - 1e-9));
}

std::vector<double> GaussianWeights(double sigma)
{
    const int radius = GaussianRadius(sigma);
    sigma = std::clamp(sigma, kMinBlurSigma, kMaxBlurSigma);
    std::vector<double> w(std::size_t(radius) + 1);
    double sum = 0;
    for (int k = 0; k <= radius; ++k) {
        w[k] = std::exp(-double(k) * k / (2 * sigma * sigma));
        sum += k == 0 ? w[k] : 2 * w[k];
    }
    for (double& v : w)
        v /= sum;
    return w;
}

void GaussianRows(const TBitmap& bitmap, const QRect& area, double sigma, const TProgressCallback& progress,
                  const TBlurredRow& row, bool inPlace)
{
    const QRect box = IntersectRects(area, QRect(0, 0, bitmap.width(), bitmap.height()));
    if (box.isEmpty() || bitmap.bitCount() != 24)
        return;
    const std::vector<double> weights = GaussianWeights(sigma);
    const std::vector<float> w(weights.begin(), weights.end());
    const int radius = int(w.size()) - 1, ringRows = 2 * radius + 1;
    const int width = bitmap.width(), height = bitmap.height();
    const int left = box.left(), count = box.width(), n = 3 * count;
    const int top = box.top(), rows = box.height();

    // The bands split at rows / 2 (see DriveRowBands); each reads up to radius rows into the other.
    const int middle = top + rows / 2;
    TBlurSource source{bitmap};
    source.CopyTop = inPlace ? std::max(top, middle - radius) : 0;
    source.CopyBottom = inPlace ? std::min(top + rows, middle + radius) : 0;
    if (source.CopyTop < source.CopyBottom)
        source.Copy.assign(bitmap.scanLine(source.CopyTop), bitmap.scanLine(source.CopyBottom - 1) + bitmap.stride());

    // The horizontal pass of source row y into out: the row's pixels left - radius ..
    // left + count + radius - 1, clamped to the picture, as floats, then the sums.
    // Pad positions i hold column left - radius + i: those inside the picture, [inFirst, inEnd),
    // convert in one straight run; the others repeat the edge pixel.
    const int padCount = count + 2 * radius;
    const int inFirst = std::clamp(radius - left, 0, padCount);
    const int inEnd = std::clamp(width + radius - left, inFirst, padCount);
    auto horizontal = [&](int y, float* pad, float* out) {
        const std::uint8_t* p = source.row(y);
        for (int i = 0; i < inFirst; ++i)
            std::copy_n(p, 3, pad + 3 * i);
        BytesToFloats(p + 3 * (left - radius + inFirst), pad + 3 * inFirst, 3 * (inEnd - inFirst));
        for (int i = inEnd; i < padCount; ++i)
            std::copy_n(p + 3 * (width - 1), 3, pad + 3 * i);
        SymmetricSum(out, pad + 3 * radius, n, 3, w.data(), radius);
    };

    auto band = [&](int b0, int b1, auto&& tick) {
        // Slot j mod ringRows holds the horizontal pass of source row clamp(j) for the window
        // j = y - radius .. y + radius of output row y.
        std::vector<float> ring(std::size_t(ringRows) * n), pad(3 * (std::size_t(count) + 2 * radius)), sums(n);
        std::vector<std::uint8_t> bytes(n);
        std::vector<int> held(ringRows, INT_MIN);
        std::vector<const float*> window(ringRows);
        auto slotOf = [&](int j) { return ((j % ringRows) + ringRows) % ringRows; };
        auto fill = [&](int j) {
            const int s = slotOf(j), y = std::clamp(j, 0, height - 1);
            if (held[s] == y)
                return;
            const int previous = slotOf(j - 1);
            // Beyond the picture's edge the clamped row repeats: copied, not summed again.
            if (held[previous] == y)
                std::memcpy(&ring[std::size_t(s) * n], &ring[std::size_t(previous) * n], sizeof(float) * n);
            else
                horizontal(y, pad.data(), &ring[std::size_t(s) * n]);
            held[s] = y;
        };
        for (int j = top + b0 - radius; j < top + b0 + radius; ++j)
            fill(j);
        for (int y = top + b0; y < top + b1; ++y) {
            tick(y - top);
            fill(y + radius);
            for (int k = 0; k < ringRows; ++k)
                window[k] = &ring[std::size_t(slotOf(y - radius + k)) * n];
            SymmetricRows(sums.data(), window.data(), n, w.data(), radius);
            row(y, sums.data(), bytes.data());
        }
    };
    auto report = [&](int y) {
        if (progress)
            progress(RowPercent(y, rows));
    };
    DriveRowBands(rows, std::int64_t(count) * ringRows, report, band);
}

} // namespace kalvo
