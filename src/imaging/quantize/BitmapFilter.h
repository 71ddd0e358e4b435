#pragma once
// A filter pass over a 24-bit bitmap: a callback computes every output pixel from a window of
// eleven working rows (the current row and five above and below it), visited left to right, top
// to bottom. The rows are working copies with five zero pixels of margin on each side, so a
// callback may change pixels it has not visited yet (error diffusion does).
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"
#include "imaging/quantize/QuantizeColor.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvo {

// The eleven working rows y - 5 .. y + 5, positioned on the current pixel x.
class TFilterWindow {
public:
    static constexpr int kReach = 5;
    static constexpr int kRows = 2 * kReach + 1;

    // Pixel (x + dx, y + dy) for dx, dy in -5..5: three bytes blue, green, red. Rows outside the
    // image and the margins read as zero.
    std::uint8_t* at(int dy, int dx = 0) const
    {
        return rows_[std::size_t(dy + kReach)] + offset_ + 3 * std::ptrdiff_t(dx);
    }

private:
    friend class TRowWindow;
    std::array<std::uint8_t*, kRows> rows_{};
    std::ptrdiff_t offset_ = 0;
};

// Owns the eleven row buffers of a filter pass over a 24-bit source.
class TRowWindow {
public:
    // Fills the window for row 0 (rows -5..5).
    explicit TRowWindow(const TBitmap& source);
    // Moves the window down one row: the top buffer is dropped and row y + 6 comes in below.
    void advance(int y);
    // The window positioned on pixel x of the current row.
    const TFilterWindow& at(int x)
    {
        window_.offset_ = 3 * std::ptrdiff_t(x + TFilterWindow::kReach);
        return window_;
    }

private:
    void load(std::uint8_t* buffer, int y) const;

    const TBitmap& source_;
    std::size_t rowBytes_;
    std::array<std::vector<std::uint8_t>, TFilterWindow::kRows> buffers_;
    TFilterWindow window_;
};

// Throws EPxImageError "BitmapFiletr accepts only 24Bit DIB" unless source is 24-bit.
void RequireFilterSource(const TBitmap& source);
void ReportRowProgress(const TProgressCallback& progress, int y, int height);

// Runs callback(x, y, window, out) for every pixel and returns the new 24-bit bitmap of the
// output pixels. progress, when set, receives y * 100 / height + 1 before each row.
template <class Callback>
TBitmap BitmapFilter(const TBitmap& source, Callback&& callback, const TProgressCallback& progress = {})
{
    RequireFilterSource(source);
    TBitmap output(source.width(), source.height(), 24);
    TRowWindow window(source);
    const int width = source.width(), height = source.height();
    for (int y = 0; y < height; ++y) {
        ReportRowProgress(progress, y, height);
        std::uint8_t* out = output.scanLine(y);
        for (int x = 0; x < width; ++x) {
            TRGBTriple pixel{};
            callback(x, y, window.at(x), pixel);
            out[3 * x] = pixel.rgbtBlue;
            out[3 * x + 1] = pixel.rgbtGreen;
            out[3 * x + 2] = pixel.rgbtRed;
        }
        window.advance(y);
    }
    return output;
}

} // namespace kalvo
