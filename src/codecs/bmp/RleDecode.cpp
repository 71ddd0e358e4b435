#include "codecs/bmp/RleDecode.h"

#include "image/ImageErrors.h"

#include <algorithm>
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
    explicit RleReader(std::span<const std::uint8_t> data) : data_(data) { }
    bool has(std::size_t n) const { return data_.size() - pos_ >= n; }
    std::uint8_t next() { return data_[pos_++]; }
    const std::uint8_t* here() const { return data_.data() + pos_; }
    std::size_t left() const { return data_.size() - pos_; }
    void skip(std::size_t n) { pos_ += n < left() ? n : left(); }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

// The error code each check of one decoder reports.
struct TRleChecks {
    const char* decoder;
    int run, endOfLine, delta, absolute;
};

// The limits of one decoding: runs and absolute runs may reach column runLimit, a delta column
// deltaLimit; pixels at column clip and beyond are not written.
struct TRleLimits {
    long runLimit, deltaLimit, clip;
    bool requireEnd; // data ending before an end-of-bitmap code fails
};

[[noreturn]] void truncatedRle(const char* decoder)
{
    throw ERleDecodeError(std::string(decoder) + ": Truncated RLE Data", false);
}

// Walks the codes of RLE data (runs, end of line, end of bitmap, delta, absolute pixels); the
// format writes the runs and absolute pixels. format.absolute returns false when the data ends
// inside the absolute pixels.
template <class Format>
void decodeRle(std::span<const std::uint8_t> data, int height, const TRleLimits& limits, const TRleChecks& checks,
               Format& format)
{
    RleReader in(data);
    long x = 0, y = 0;
    while (in.has(2)) {
        const unsigned first = in.next(), second = in.next();
        if (first != 0) {
            if (x + long(first) > limits.runLimit || y >= height)
                badRle(checks.decoder, checks.run);
            format.run(y, x, first, second, limits.clip);
            x += first;
        } else if (second == 0) {
            x = 0;
            ++y;
            if (y > height)
                badRle(checks.decoder, checks.endOfLine);
        } else if (second == 1) {
            return;
        } else if (second == 2) {
            if (!in.has(2))
                break;
            x += in.next();
            y += in.next();
            if (x > limits.deltaLimit || y > height)
                badRle(checks.decoder, checks.delta);
        } else {
            const long n = second;
            if (x + n > limits.runLimit || y >= height)
                badRle(checks.decoder, checks.absolute);
            if (!format.absolute(in, y, x, n, limits.clip))
                break;
            x += n;
        }
    }
    if (limits.requireEnd)
        truncatedRle(checks.decoder);
}

// One byte per pixel.
struct TRle8Format {
    std::uint8_t* firstRow;
    std::ptrdiff_t rowStep;

    static long visible(long x, long n, long clip) { return x >= clip ? 0 : std::min(n, clip - x); }

    void run(long y, long x, unsigned count, unsigned value, long clip)
    {
        std::memset(firstRow + y * rowStep + x, int(value), std::size_t(visible(x, count, clip)));
    }

    bool absolute(RleReader& in, long y, long x, long n, long clip)
    {
        const std::size_t avail = n < long(in.left()) ? std::size_t(n) : in.left();
        std::memcpy(firstRow + y * rowStep + x, in.here(), std::min(avail, std::size_t(visible(x, n, clip))));
        if (avail < std::size_t(n))
            return false;
        in.skip(std::size_t((n + 1) & ~1L)); // absolute bytes are padded to a word
        return true;
    }
};

// Two pixels per byte, the first in the high nibble.
struct TRle4Format {
    std::uint8_t* firstRow;
    std::ptrdiff_t rowStep;

    // Pixel written at column col: an even column starts a byte, an odd one completes it.
    void put(long y, long col, unsigned pixel, long clip)
    {
        if (col >= clip)
            return;
        std::uint8_t* byte = firstRow + y * rowStep + (col >> 1);
        if ((col & 1) == 0)
            *byte = std::uint8_t(pixel << 4);
        else
            *byte = std::uint8_t(*byte | pixel);
    }

    void run(long y, long x, unsigned count, unsigned value, long clip)
    {
        for (unsigned p = 0; p < count; ++p)
            put(y, x + p, (p & 1) ? (value & 0x0F) : (value >> 4), clip);
    }

    bool absolute(RleReader& in, long y, long x, long n, long clip)
    {
        const std::uint8_t* src = in.here();
        const long availPixels = long(in.left()) * 2;
        for (long p = 0; p < n && p < availPixels; ++p)
            put(y, x + p, (p & 1) ? (src[p >> 1] & 0x0F) : (src[p >> 1] >> 4), clip);
        if (availPixels < n)
            return false;
        in.skip(std::size_t((n * 4 + 15) / 16) * 2); // absolute nibbles are padded to a word
        return true;
    }
};

// Pixels of a BMP row padded to four bytes.
long paddedPixels(long width, int bits)
{
    return long(((width * bits + 31) / 32) * 32 / bits);
}

} // namespace

void DecodeRle8(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep, TRleMode mode)
{
    TRle8Format format{firstRow, rowStep};
    const long w = width;
    const TRleLimits limits = mode == TRleMode::Exact ? TRleLimits{w, w, w, true}
                                                      : TRleLimits{paddedPixels(w, 8), w, w, false};
    decodeRle(data, height, limits, {"Convert8BitRLETo8BitRGB", 4, 1, 2, 3}, format);
}

// Rows hold an even number of pixels: in exact mode a run may fill the pad nibble of an odd-width
// row, and a delta may point at the end of that rounded row.
void DecodeRle4(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep, TRleMode mode)
{
    TRle4Format format{firstRow, rowStep};
    const long w2 = (long(width) + 1) & ~1L;
    const TRleLimits limits = mode == TRleMode::Exact ? TRleLimits{w2, w2, w2, true}
                                                      : TRleLimits{paddedPixels(width, 4), w2, width, false};
    decodeRle(data, height, limits, {"Convert4BitRLETo4BitRGB", 8, 5, 6, 7}, format);
}

} // namespace kalvo
