#include "image/RleDecode.h"

#include "image/ImageErrors.h"

#include <cstring>
#include <string>

namespace kalvo {

namespace {

[[noreturn]] void badRle(const char* decoder, int code)
{
    throw ERleDecodeError(std::string(decoder) + ": Bad RLE Data " + std::to_string(code), false);
}

// Reads the compressed data two bytes at a time and never past its end.
class RleReader {
public:
    explicit RleReader(std::span<const std::uint8_t> data) : data_(data) {}
    bool has(std::size_t n) const { return data_.size() - pos_ >= n; }
    std::uint8_t next() { return data_[pos_++]; }
    const std::uint8_t* here() const { return data_.data() + pos_; }
    std::size_t left() const { return data_.size() - pos_; }
    void skip(std::size_t n) { pos_ += n < left() ? n : left(); }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

} // namespace

void DecodeRle8(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep)
{
    static const char* name = "Convert8BitRLETo8BitRGB";
    RleReader in(data);
    long x = 0, y = 0;
    while (in.has(2)) {
        const unsigned first = in.next(), second = in.next();
        if (first != 0) {
            if (x + long(first) > width || y >= height)
                badRle(name, 4);
            std::memset(firstRow + y * rowStep + x, int(second), first);
            x += first;
        } else if (second == 0) {
            x = 0;
            ++y;
            if (y > height)
                badRle(name, 1);
        } else if (second == 1) {
            return;
        } else if (second == 2) {
            if (!in.has(2))
                return;
            x += in.next();
            y += in.next();
            if (x > width || y > height)
                badRle(name, 2);
        } else {
            const long n = second;
            if (x + n > width || y >= height)
                badRle(name, 3);
            const std::size_t avail = n < long(in.left()) ? std::size_t(n) : in.left();
            std::memcpy(firstRow + y * rowStep + x, in.here(), avail);
            if (avail < std::size_t(n))
                return;
            in.skip(std::size_t((n + 1) & ~1L));
            x += n;
        }
    }
}

void DecodeRle4(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep)
{
    static const char* name = "Convert4BitRLETo4BitRGB";
    const long width2 = (long(width) + 1) & ~1L;
    RleReader in(data);
    long x = 0, y = 0;
    // Pixel p written at column col: an even column starts a byte, an odd one completes it.
    auto put = [&](long col, unsigned pixel) {
        std::uint8_t* byte = firstRow + y * rowStep + (col >> 1);
        if ((col & 1) == 0)
            *byte = std::uint8_t(pixel << 4);
        else
            *byte = std::uint8_t(*byte | pixel);
    };
    while (in.has(2)) {
        const unsigned first = in.next(), second = in.next();
        if (first != 0) {
            if (x + long(first) > width2 || y >= height)
                badRle(name, 8);
            for (unsigned p = 0; p < first; ++p)
                put(x + p, (p & 1) ? (second & 0x0F) : (second >> 4));
            x += first;
        } else if (second == 0) {
            x = 0;
            ++y;
            if (y > height)
                badRle(name, 5);
        } else if (second == 1) {
            return;
        } else if (second == 2) {
            if (!in.has(2))
                return;
            x += in.next();
            y += in.next();
            if (x > width2 || y > height)
                badRle(name, 6);
        } else {
            const long n = second;
            if (x + n > width2 || y >= height)
                badRle(name, 7);
            const std::size_t bytes = std::size_t((n * 4 + 15) / 16) * 2;
            const std::uint8_t* src = in.here();
            const long availPixels = long(in.left()) * 2;
            for (long p = 0; p < n && p < availPixels; ++p)
                put(x + p, (p & 1) ? (src[p >> 1] & 0x0F) : (src[p >> 1] >> 4));
            if (availPixels < n)
                return;
            in.skip(bytes);
            x += n;
        }
    }
}

} // namespace kalvo
