#pragma once
// The Floyd-Steinberg pass itself, on two working rows: the current row and the one below it
// (the only rows the error reaches). The arithmetic is that of the row-window filter pass: every
// neighbour is clamped to 0..255 after each change, in the same order, and errors pushed past the
// left or right edge or below the last row are dropped. The pushes into the current pixel's right
// neighbour and into the row below are carried in registers; a pixel of the row below is stored
// once it has received all three of its shares.
#include "image/Bitmap.h"
#include "image/PixelAccess.h"
#include "imaging/ProgressCallback.h"
#include "imaging/quantize/BitmapFilter.h"
#include "imaging/quantize/QuantizeColor.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace kalvo {

namespace detail {

inline int ClampChannel(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// One row of the diffusion. cur holds the working copy of row y (blue, green, red per pixel);
// below is the source row y + 1 or null for the last row; next receives the working copy of row
// y + 1 and has one spare pixel in front of it (the below-left push of pixel 0 lands there).
template <class Out, class Choose>
void DiffuseRow(const std::uint8_t* cur, const std::uint8_t* below, std::uint8_t* next, int width,
                Out* out, Choose& choose)
{
    int right[3] = {0, 0, 0}; // (d * 7) / 16 of the previous pixel, taken from this one
    int mid[3] = {0, 0, 0};   // pixel x of the row below, after the push of pixel x - 1
    int left[3] = {0, 0, 0};  // pixel x - 1 of the row below, after the pushes of x - 2 and x - 1
    if (below)
        for (int c = 0; c < 3; ++c)
            mid[c] = below[c];
    for (int x = 0; x < width; ++x) {
        int v[3];
        for (int c = 0; c < 3; ++c)
            v[c] = ClampChannel(cur[3 * x + c] - right[c]);
        TRGBTriple colour;
        out[x] = choose(QuantizeKey(v[2], v[1], v[0]), colour);
        const int d[3] = {colour.rgbtBlue - v[0], colour.rgbtGreen - v[1], colour.rgbtRed - v[2]};
        for (int c = 0; c < 3; ++c)
            right[c] = d[c] * 7 / 16;
        if (!below)
            continue;
        for (int c = 0; c < 3; ++c) {
            next[3 * (x - 1) + c] = std::uint8_t(ClampChannel(left[c] - d[c] * 3 / 16));
            left[c] = ClampChannel(mid[c] - d[c] * 5 / 16);
        }
        if (x + 1 < width)
            for (int c = 0; c < 3; ++c)
                mid[c] = ClampChannel(below[3 * (x + 1) + c] - d[c] / 16);
    }
    if (below && width > 0)
        for (int c = 0; c < 3; ++c)
            next[3 * (width - 1) + c] = std::uint8_t(left[c]);
}

} // namespace detail

// Floyd-Steinberg over a 24-bit source, left to right, top to bottom. For every pixel,
// choose(key, colour) receives the working colour as 0x00RRGGBB, writes the palette colour it
// picks into colour and returns the value to store for the pixel (an Out); rowDone(y, values)
// receives each finished row of width values. progress, when set, receives y * 100 / height + 1
// before each row. Throws as BitmapFilter for a source that is not 24-bit.
template <class Out, class Choose, class RowDone>
void DiffuseRows(const TBitmap& source, Choose&& choose, RowDone&& rowDone, const TProgressCallback& progress = {})
{
    RequireFilterSource(source);
    const int width = source.width(), height = source.height();
    const std::size_t rowBytes = 3 * std::size_t(width > 0 ? width : 0);
    std::vector<std::uint8_t> cur(rowBytes + 3), next(rowBytes + 3);
    std::vector<Out> values(std::size_t(width > 0 ? width : 0));
    if (height > 0 && width > 0)
        std::memcpy(cur.data() + 3, source.scanLine(0), rowBytes);
    for (int y = 0; y < height; ++y) {
        ReportRowProgress(progress, y, height);
        const std::uint8_t* below = y + 1 < height ? source.scanLine(y + 1) : nullptr;
        detail::DiffuseRow(cur.data() + 3, below, next.data() + 3, width, values.data(), choose);
        rowDone(y, static_cast<const Out*>(values.data()));
        std::swap(cur, next);
    }
}

} // namespace kalvo
