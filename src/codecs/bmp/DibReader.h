#pragma once
// Reads little-endian values from a block of bytes; a read that cannot deliver its full count is
// the stream's read error (EReadError), and nothing is ever read past the block.
#include "codecs/bmp/DibTypes.h"
#include "codecs/bmp/LvDIBErrors.h"

#include <cstdint>
#include <cstring>
#include <span>

namespace kalvo {

class TDibReader {
public:
    explicit TDibReader(std::span<const std::uint8_t> data, std::size_t pos = 0) : data_(data), pos_(pos) { }

    void Read(void* dest, std::size_t n)
    {
        if (n > Left())
            throw EReadError();
        std::memcpy(dest, data_.data() + pos_, n);
        pos_ += n;
    }
    std::uint16_t U16()
    {
        std::uint8_t b[2];
        Read(b, 2);
        return std::uint16_t(b[0] | (b[1] << 8));
    }
    std::uint32_t U32()
    {
        std::uint8_t b[4];
        Read(b, 4);
        return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16)
            | (std::uint32_t(b[3]) << 24);
    }
    // Moves forward; a skip past the end leaves the position at the end, so the next read fails.
    void Skip(std::uint64_t n) { pos_ += n < Left() ? std::size_t(n) : Left(); }
    // The next n bytes without copying; EReadError when fewer are left.
    const std::uint8_t* Take(std::size_t n)
    {
        if (n > Left())
            throw EReadError();
        const std::uint8_t* p = data_.data() + pos_;
        pos_ += n;
        return p;
    }
    std::size_t Left() const { return data_.size() - pos_; }
    std::size_t Pos() const { return pos_; }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_;
};

// The fields of a 40-byte information header after biSize; a resolution of 0 becomes 3780
// pixels per metre (96 dpi).
inline void ReadInfoHeaderFields(TDibReader& in, TBitmapInfoHeader& h)
{
    h.biSize = 40;
    h.biWidth = std::int32_t(in.U32());
    h.biHeight = std::int32_t(in.U32());
    h.biPlanes = in.U16();
    h.biBitCount = in.U16();
    h.biCompression = in.U32();
    h.biSizeImage = in.U32();
    h.biXPelsPerMeter = std::int32_t(in.U32());
    h.biYPelsPerMeter = std::int32_t(in.U32());
    h.biClrUsed = in.U32();
    h.biClrImportant = in.U32();
    if (h.biXPelsPerMeter == 0)
        h.biXPelsPerMeter = 3780;
    if (h.biYPelsPerMeter == 0)
        h.biYPelsPerMeter = 3780;
}

} // namespace kalvo
