#pragma once
// TByteTable: rows of bytes, all zero when created; the brush tip and the coverage tables of the
// rasteriser. Entry y addresses row y.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvo {

class TByteTable {
public:
    TByteTable() = default;
    TByteTable(int width, int height)
        : width_(width > 0 ? width : 0),
          height_(height > 0 ? height : 0),
          bytes_(std::size_t(width_) * std::size_t(height_), 0)
    {
    }

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return bytes_.empty(); }

    std::uint8_t* operator[](int y) { return bytes_.data() + std::size_t(y) * std::size_t(width_); }
    const std::uint8_t* operator[](int y) const { return bytes_.data() + std::size_t(y) * std::size_t(width_); }

    void clear() { *this = TByteTable(); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bytes_;
};

} // namespace kalvo
