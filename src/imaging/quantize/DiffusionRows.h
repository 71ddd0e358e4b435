#pragma once
// The Floyd-Steinberg pass itself, on working copies of only the rows the error reaches (the
// current row and the one below it), two rows at a time. The arithmetic is that of the
// row-window filter pass: every neighbour is clamped to 0..255 after each change, in the same
// order, and errors pushed past the left or right edge or below the last row are dropped.
#include "image/Bitmap.h"
#include "image/PixelAccess.h"
#include "imaging/ProgressCallback.h"
#include "imaging/quantize/BitmapFilter.h"
#include "imaging/quantize/QuantizeColor.h"
#include "imaging/quantize/RowDiffusion.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace kalvo {

namespace detail {

// Rows y and y + 1 together: pixel x of row y + 1 has all it receives from row y once row y has
// done pixel x + 1, so row y + 1 follows two pixels behind. The two chains of dependent lookups
// then overlap.
template <class Step, class Choose>
void DiffuseRowPair(Step& upper, Step& lower, int width, Choose& choose)
{
    for (int x = 0; x < width; ++x) {
        upper.step(x, choose);
        if (x >= 2)
            lower.step(x - 2, choose);
    }
    upper.finish();
    for (int x = width < 2 ? 0 : width - 2; x < width; ++x)
        lower.step(x, choose);
    lower.finish();
}

} // namespace detail

// Floyd-Steinberg over a 24-bit source, left to right, top to bottom. For every pixel,
// choose(key, colour) receives the working colour as 0x00RRGGBB, writes the palette colour it
// picks into colour (a std::uint32_t in the same form; its top byte is ignored) and returns the
// value to store for the pixel (an Out); rowDone(y, values) receives each finished row of width
// values, in order. progress, when set, receives y * 100 / height + 1 for each row y, before the
// row is done (rows are diffused in pairs). Step chooses the row implementation (tests compare
// them). Throws as BitmapFilter for a source that is not 24-bit.
template <class Out, template <class> class Step = detail::TRowDiffusion, class Choose, class RowDone>
void DiffuseRows(const TBitmap& source, Choose&& choose, RowDone&& rowDone, const TProgressCallback& progress = {})
{
    RequireFilterSource(source);
    const int width = source.width(), height = source.height();
    const std::size_t pixels = std::size_t(width > 0 ? width : 0);
    constexpr std::size_t kPixel = Step<Out>::kPixelBytes;
    // Working rows y, y + 1 and y + 2, each with a spare pixel in front.
    std::vector<std::uint8_t> rowA((pixels + 1) * kPixel), rowB(rowA.size()), rowC(rowA.size());
    std::vector<Out> valuesA(pixels), valuesB(pixels);
    if (height > 0)
        for (std::size_t x = 0; x < pixels; ++x)
            std::memcpy(rowA.data() + (x + 1) * kPixel, source.scanLine(0) + 3 * x, 3);
    auto sourceRow = [&source, height](int y) { return y < height ? source.scanLine(y) : nullptr; };
    for (int y = 0; y < height; y += 2) {
        ReportRowProgress(progress, y, height);
        Step<Out> upper(rowA.data() + kPixel, sourceRow(y + 1), rowB.data() + kPixel, width, valuesA.data());
        if (y + 1 == height) {
            for (int x = 0; x < width; ++x)
                upper.step(x, choose);
            rowDone(y, static_cast<const Out*>(valuesA.data()));
            break;
        }
        ReportRowProgress(progress, y + 1, height);
        Step<Out> lower(rowB.data() + kPixel, sourceRow(y + 2), rowC.data() + kPixel, width, valuesB.data());
        detail::DiffuseRowPair(upper, lower, width, choose);
        rowDone(y, static_cast<const Out*>(valuesA.data()));
        rowDone(y + 1, static_cast<const Out*>(valuesB.data()));
        std::swap(rowA, rowC);
    }
}

} // namespace kalvo
