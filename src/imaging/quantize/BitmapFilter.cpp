#include "imaging/quantize/BitmapFilter.h"

#include "image/ImageErrors.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

TRowWindow::TRowWindow(const TBitmap& source)
    : source_(source), rowBytes_(3 * (std::size_t(source.width()) + 2 * TFilterWindow::kReach))
{
    for (int k = 0; k < TFilterWindow::kRows; ++k) {
        buffers_[std::size_t(k)].assign(rowBytes_, 0);
        load(buffers_[std::size_t(k)].data(), k - TFilterWindow::kReach);
        window_.rows_[std::size_t(k)] = buffers_[std::size_t(k)].data();
    }
}

void TRowWindow::load(std::uint8_t* buffer, int y) const
{
    if (y < 0 || y >= source_.height())
        return;
    std::memcpy(buffer + 3 * TFilterWindow::kReach, source_.scanLine(y), 3 * std::size_t(source_.width()));
}

void TRowWindow::advance(int y)
{
    std::rotate(buffers_.begin(), buffers_.begin() + 1, buffers_.end());
    std::vector<std::uint8_t>& incoming = buffers_.back();
    std::fill(incoming.begin(), incoming.end(), 0);
    load(incoming.data(), y + TFilterWindow::kReach + 1);
    for (int k = 0; k < TFilterWindow::kRows; ++k)
        window_.rows_[std::size_t(k)] = buffers_[std::size_t(k)].data();
}

void RequireFilterSource(const TBitmap& source)
{
    if (source.bitCount() != 24)
        throw EPxImageError("BitmapFiletr accepts only 24Bit DIB");
}

void ReportRowProgress(const TProgressCallback& progress, int y, int height)
{
    if (progress)
        progress(y * 100 / height + 1);
}

} // namespace kalvo
