#include "imaging/colour/CountColors.h"

#include "imaging/colour/PixelIndex.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvo {

namespace {

class TColourSet {
public:
    TColourSet() : bits_(std::size_t(1) << 18, 0) { }
    // Adds value (below 2^24); counts it the first time.
    void add(std::uint32_t value)
    {
        std::uint64_t& word = bits_[value >> 6];
        const std::uint64_t mask = std::uint64_t(1) << (value & 63);
        count_ += (word & mask) == 0;
        word |= mask;
    }
    int count() const { return int(count_); }

private:
    std::vector<std::uint64_t> bits_;
    std::uint32_t count_ = 0;
};

int countIndexed(const TBitmap& bitmap)
{
    std::array<bool, 256> used{};
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* row = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x)
            used[IndexAt(row, x, bitmap.bitCount())] = true;
    }
    TColourSet set;
    for (std::size_t k = 0; k < used.size(); ++k)
        if (used[k])
            set.add(k < bitmap.palette().size() ? bitmap.palette()[k] & 0xFFFFFF : 0);
    return set.count();
}

int countTrueColor(const TBitmap& bitmap)
{
    TColourSet set;
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* p = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, p += 3)
            set.add(std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2]);
    }
    return set.count();
}

int countRaw(const TBitmap& bitmap, int bytesPerPixel)
{
    TColourSet set;
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* p = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, p += bytesPerPixel) {
            std::uint32_t value = 0;
            for (int b = bytesPerPixel - 1; b >= 0; --b)
                value = value << 8 | p[b];
            if (value >= (1u << 24))
                return -1;
            set.add(value);
        }
    }
    return set.count();
}

} // namespace

int CountColors(const TBitmap& bitmap)
{
    switch (bitmap.bitCount()) {
    case 1:
    case 4:
    case 8: return countIndexed(bitmap);
    case 16: return countRaw(bitmap, 2);
    case 24: return countTrueColor(bitmap);
    case 32: return countRaw(bitmap, 4);
    default: return -1;
    }
}

} // namespace kalvo
