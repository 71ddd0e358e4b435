#pragma once
// The image bitmap: a device-independent bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel.
//
// Rows are padded to four bytes. Within a row, 1-bit pixels are packed most significant bit first,
// 4-bit pixels high nibble first, 16-bit pixels are 5-5-5 words, 24-bit pixels are blue, green,
// red and 32-bit pixels blue, green, red, 0. Images of 8 bits or fewer carry a palette of up to
// 256 colours. Row y is image row y (row 0 is the top row); rows are kept top-down in memory so
// that a QImage can wrap them. Copies are deep: a copy owns its pixels and its palette.
#include "image/Color.h"
#include "image/PixelBuffer.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kalvo {

class TBitmap {
public:
    // Upper bounds for any bitmap the program creates; anything larger is refused before memory
    // is allocated.
    static constexpr int kMaxDimension = 65535;
    static constexpr std::size_t kMaxPixelBytes = std::size_t(1) << 30;

    TBitmap() = default;
    // A zero-filled bitmap; images of 8 bits or fewer get the default palette for their depth.
    // Throws EInvalidGraphic for an unsupported depth or a size outside the bounds above.
    TBitmap(int width, int height, int bitCount);
    // A bitmap of like's size, depth, palette and transparency whose pixels are undefined, for a
    // computation that writes every one of them (std::bad_alloc without memory for them).
    static TBitmap sameLayout(const TBitmap& like);
    // As the constructor, but the pixels are undefined: for a reader that writes every byte of
    // every row (a fresh block is populated in one call rather than faulted in row by row).
    static TBitmap forOverwrite(int width, int height, int bitCount);
    // A bitmap showing source's pixels without copying them, for reading only (previews): source
    // stays alive and unchanged while the view exists. Copies of a view own their pixels.
    static TBitmap view(const TBitmap& source);
    TBitmap(const TBitmap&) = default;
    TBitmap& operator=(const TBitmap&) = default;
    // A bitmap moved from is left empty (no size, no pixels), never a size without pixels.
    TBitmap(TBitmap&& other) noexcept { swap(other); }
    TBitmap& operator=(TBitmap&& other) noexcept
    {
        if (this != &other) {
            TBitmap taken;
            taken.swap(other);
            swap(taken);
        }
        return *this;
    }
    void swap(TBitmap& other) noexcept
    {
        std::swap(width_, other.width_);
        std::swap(height_, other.height_);
        std::swap(bitCount_, other.bitCount_);
        std::swap(stride_, other.stride_);
        std::swap(pixels_, other.pixels_);
        palette_.swap(other.palette_);
        std::swap(transparent_, other.transparent_);
        std::swap(transparentColor_, other.transparentColor_);
    }

    static bool isValidBitCount(int bitCount);
    static std::size_t strideFor(int width, int bitCount);
    // True when a bitmap of this size and depth may be allocated.
    static bool fitsBounds(int width, int height, int bitCount);

    bool empty() const { return width_ <= 0 || height_ <= 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    int bitCount() const { return bitCount_; }
    std::size_t stride() const { return stride_; }
    std::size_t byteSize() const { return pixels_.size(); }

    std::uint8_t* bits() { return pixels_.data(); }
    const std::uint8_t* bits() const { return pixels_.data(); }
    std::uint8_t* scanLine(int y) { return pixels_.data() + std::size_t(y) * stride_; }
    const std::uint8_t* scanLine(int y) const { return pixels_.data() + std::size_t(y) * stride_; }

    const std::vector<TColor>& palette() const { return palette_; }
    // Sets the palette; entries beyond 256 are dropped.
    void setPalette(std::vector<TColor> palette);

    bool transparent() const { return transparent_; }
    TColor transparentColor() const { return transparentColor_; }
    void setTransparent(bool on) { transparent_ = on; }
    void setTransparentColor(TColor c) { transparentColor_ = c; }

    // The colour of pixel (x, y), whatever the depth (palette entries beyond the palette read as
    // black). No range checks: the caller keeps x and y inside the bitmap.
    TColor pixelColor(int x, int y) const;

    // Makes the bitmap empty and frees its memory.
    void clear();
    // Fills every pixel of a 24-bit bitmap with one colour.
    void fill(TColor color);

    // A new bitmap with the same pixels at 24 bits per pixel.
    TBitmap toTrueColor() const;

    bool operator==(const TBitmap& other) const = default;

private:
    TBitmap(int width, int height, int bitCount, bool zeroed);

    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 24;
    std::size_t stride_ = 0;
    TPixelBuffer pixels_;
    std::vector<TColor> palette_;
    bool transparent_ = false;
    TColor transparentColor_ = 0;
};

// Default palettes: 1 bit black and white, 4 bits the sixteen standard colours, 8 bits a grey ramp.
std::vector<TColor> DefaultPalette(int bitCount);
// The sixteen standard colours in their usual order (black, maroon, green, olive, navy, purple,
// teal, silver, grey, then the bright ones).
const std::vector<TColor>& StandardColors16();

} // namespace kalvo
