#include "imaging/resample/ResizeResample.h"

#include "image/ImageErrors.h"
#include "imaging/raster/ParallelRows.h"
#include "imaging/raster/PixelMath.h"
#include "imaging/resample/ResampleTaps.h"

#include <algorithm>
#include <vector>

namespace kalvo {

namespace {

// sums[i] (+)= w0 * r0[i] + w1 * r1[i] + ... for up to four rows in one pass; the additions keep
// the order of adding one row after the other.
template <int N>
void AddRows(double* sums, const std::uint8_t* const* r, const double* w, std::size_t n, bool first)
{
    for (std::size_t i = 0; i < n; ++i) {
        double s = first ? w[0] * r[0][i] : sums[i] + w[0] * r[0][i];
        if constexpr (N > 1)
            s += w[1] * r[1][i];
        if constexpr (N > 2)
            s += w[2] * r[2][i];
        if constexpr (N > 3)
            s += w[3] * r[3][i];
        sums[i] = s;
    }
}

// Sums the weighted source rows of destination row y into column sums (three per pixel).
void SumRows(const TBitmap& source, const TResampleTaps& rows, int y, std::vector<double>& sums)
{
    const std::size_t n = std::size_t(source.width()) * 3;
    const double* w = rows.Weights.data() + rows.Offset[y];
    for (int k = 0; k < rows.Count[y]; k += 4) {
        const std::uint8_t* r[4] = {};
        const int group = std::min(4, rows.Count[y] - k);
        for (int g = 0; g < group; ++g)
            r[g] = source.scanLine(rows.First[y] + k + g);
        switch (group) {
        case 1: AddRows<1>(sums.data(), r, w + k, n, k == 0); break;
        case 2: AddRows<2>(sums.data(), r, w + k, n, k == 0); break;
        case 3: AddRows<3>(sums.data(), r, w + k, n, k == 0); break;
        default: AddRows<4>(sums.data(), r, w + k, n, k == 0); break;
        }
    }
}

void ResampleRow(const std::vector<double>& sums, const TResampleTaps& cols, double area, std::uint8_t* out, int width)
{
    for (int x = 0; x < width; ++x) {
        double b = 0, g = 0, r = 0;
        const double* w = cols.Weights.data() + cols.Offset[x];
        const double* p = sums.data() + std::size_t(cols.First[x]) * 3;
        for (int k = 0; k < cols.Count[x]; ++k, p += 3) {
            b += w[k] * p[0];
            g += w[k] * p[1];
            r += w[k] * p[2];
        }
        out[3 * x] = std::uint8_t(std::clamp(Round(b / area), 0, 255));
        out[3 * x + 1] = std::uint8_t(std::clamp(Round(g / area), 0, 255));
        out[3 * x + 2] = std::uint8_t(std::clamp(Round(r / area), 0, 255));
    }
}

} // namespace

TBitmap ResizeResample(const TBitmap& source, int newWidth, int newHeight)
{
    if (source.empty())
        throw EPxImageError("pxBitmapUtils.ResizeResample: The source image is empty.");
    if (newWidth < 1 || newHeight < 1)
        throw EPxImageError("pxBitmapUtils.ResizeResample: Invalid size.");
    TBitmap result(newWidth, newHeight, 24);
    TBitmap converted;
    if (source.bitCount() != 24)
        converted = source.toTrueColor();
    const TBitmap& src = source.bitCount() == 24 ? source : converted;

    const TResampleTaps cols = MakeResampleTaps(src.width(), newWidth);
    const TResampleTaps rows = MakeResampleTaps(src.height(), newHeight);
    const double area = double(src.width()) * src.height() / newWidth / newHeight;
    ParallelRows(newHeight, 64, [&](int y0, int y1) {
        std::vector<double> sums(std::size_t(src.width()) * 3);
        for (int y = y0; y < y1; ++y) {
            SumRows(src, rows, y, sums);
            ResampleRow(sums, cols, area, result.scanLine(y), newWidth);
        }
    });
    return result;
}

} // namespace kalvo
