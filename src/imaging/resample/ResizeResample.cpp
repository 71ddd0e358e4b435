#include "imaging/resample/ResizeResample.h"

#include "image/ImageErrors.h"
#include "imaging/raster/ParallelRows.h"
#include "imaging/raster/PixelMath.h"
#include "imaging/resample/ResampleTaps.h"

#include <algorithm>
#include <vector>

namespace kalvo {

namespace {

// Sums the weighted source rows of destination row y into column sums (three per pixel).
void SumRows(const TBitmap& source, const TResampleTaps& rows, int y, std::vector<double>& sums)
{
    const std::size_t n = std::size_t(source.width()) * 3;
    std::fill(sums.begin(), sums.end(), 0.0);
    for (int k = 0; k < rows.Count[y]; ++k) {
        const double w = rows.Weights[std::size_t(rows.Offset[y] + k)];
        const std::uint8_t* src = source.scanLine(rows.First[y] + k);
        double* out = sums.data();
        for (std::size_t i = 0; i < n; ++i)
            out[i] += w * src[i];
    }
}

void ResampleRow(const std::vector<double>& sums, const TResampleTaps& cols, double area, std::uint8_t* out,
                 int width)
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
