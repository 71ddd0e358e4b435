#include "image/Bitmap.h"

#include "image/ImageErrors.h"

#include <algorithm>
#include <string>

namespace kalvo {

bool TBitmap::isValidBitCount(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

std::size_t TBitmap::strideFor(int width, int bitCount)
{
    return ((std::size_t(width) * std::size_t(bitCount) + 31) / 32) * 4;
}

bool TBitmap::fitsBounds(int width, int height, int bitCount)
{
    if (width < 0 || height < 0 || width > kMaxDimension || height > kMaxDimension)
        return false;
    return strideFor(width, bitCount) * std::size_t(height) <= kMaxPixelBytes;
}

TBitmap::TBitmap(int width, int height, int bitCount) : TBitmap(width, height, bitCount, true)
{
}

TBitmap TBitmap::forOverwrite(int width, int height, int bitCount)
{
    return TBitmap(width, height, bitCount, false);
}

TBitmap::TBitmap(int width, int height, int bitCount, bool zeroed)
{
    if (!isValidBitCount(bitCount))
        throw EInvalidGraphic("TBitmap: Invalid pixel format (" + std::to_string(bitCount) + " bits)");
    if (!fitsBounds(width, height, bitCount))
        throw EInvalidGraphic("TBitmap: Image is too large (" + std::to_string(width) + " x " + std::to_string(height)
                              + ")");
    bitCount_ = bitCount;
    if (width == 0 || height == 0)
        return;
    width_ = width;
    height_ = height;
    stride_ = strideFor(width, bitCount);
    const std::size_t size = stride_ * std::size_t(height);
    pixels_ = zeroed ? TPixelBuffer(size) : TPixelBuffer::ForOverwrite(size);
    palette_ = DefaultPalette(bitCount);
}

TBitmap TBitmap::sameLayout(const TBitmap& like)
{
    TBitmap result;
    result.width_ = like.width_;
    result.height_ = like.height_;
    result.bitCount_ = like.bitCount_;
    result.stride_ = like.stride_;
    result.pixels_ = TPixelBuffer::ForOverwrite(like.pixels_.size());
    result.palette_ = like.palette_;
    result.transparent_ = like.transparent_;
    result.transparentColor_ = like.transparentColor_;
    return result;
}

TBitmap TBitmap::view(const TBitmap& source)
{
    TBitmap result;
    result.width_ = source.width_;
    result.height_ = source.height_;
    result.bitCount_ = source.bitCount_;
    result.stride_ = source.stride_;
    result.pixels_ = TPixelBuffer::View(source.pixels_.data(), source.pixels_.size());
    result.palette_ = source.palette_;
    result.transparent_ = source.transparent_;
    result.transparentColor_ = source.transparentColor_;
    return result;
}

void TBitmap::setPalette(std::vector<TColor> palette)
{
    if (palette.size() > 256)
        palette.resize(256);
    palette_ = std::move(palette);
}

TColor TBitmap::pixelColor(int x, int y) const
{
    const std::uint8_t* row = scanLine(y);
    auto fromIndex = [this](unsigned index) -> TColor { return index < palette_.size() ? palette_[index] : 0; };
    switch (bitCount_) {
    case 1: return fromIndex((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return fromIndex((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    case 8: return fromIndex(row[x]);
    case 16: {
        unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        // The same scaling as the BMP reader's default 5-5-5 masks.
        auto expand = [](unsigned c5) { return int((c5 << 3) * 255 / 248); };
        return RGB(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
    }
    case 24: {
        const std::uint8_t* p = row + 3 * std::size_t(x);
        return RGB(p[2], p[1], p[0]);
    }
    default: {
        const std::uint8_t* p = row + 4 * std::size_t(x);
        return RGB(p[2], p[1], p[0]);
    }
    }
}

void TBitmap::clear()
{
    *this = TBitmap();
}

void TBitmap::fill(TColor color)
{
    if (empty() || bitCount_ != 24)
        return;
    const std::uint8_t b = std::uint8_t(GetBValue(color)), g = std::uint8_t(GetGValue(color)),
                       r = std::uint8_t(GetRValue(color));
    std::uint8_t* first = scanLine(0);
    for (int x = 0; x < width_; ++x) {
        first[3 * x] = b;
        first[3 * x + 1] = g;
        first[3 * x + 2] = r;
    }
    for (int y = 1; y < height_; ++y)
        std::copy_n(first, stride_, scanLine(y));
}

TBitmap TBitmap::toTrueColor() const
{
    if (bitCount_ == 24)
        return *this;
    TBitmap result(width_, height_, 24);
    result.transparent_ = transparent_;
    result.transparentColor_ = transparentColor_;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* out = result.scanLine(y);
        for (int x = 0; x < width_; ++x) {
            TColor c = pixelColor(x, y);
            out[3 * x] = std::uint8_t(GetBValue(c));
            out[3 * x + 1] = std::uint8_t(GetGValue(c));
            out[3 * x + 2] = std::uint8_t(GetRValue(c));
        }
    }
    return result;
}

const std::vector<TColor>& StandardColors16()
{
    static const std::vector<TColor> colors = {
        RGB(0, 0, 0),     RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128), RGB(128, 0, 128),
        RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0), RGB(255, 255, 0),
        RGB(0, 0, 255),   RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
    };
    return colors;
}

std::vector<TColor> DefaultPalette(int bitCount)
{
    switch (bitCount) {
    case 1: return {clBlack, clWhite};
    case 4: return StandardColors16();
    case 8: {
        std::vector<TColor> grey(256);
        for (int i = 0; i < 256; ++i)
            grey[i] = RGB(i, i, i);
        return grey;
    }
    default: return {};
    }
}

} // namespace kalvo
