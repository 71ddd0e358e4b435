#pragma once
// The Windows bitmap-info header (BITMAPINFOHEADER), shared by the image bitmap's drawing
// descriptor and the DIB container. A fresh header is a 40-byte header of one plane.
#include <cstdint>

namespace kalvo {

struct TBitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // negative: the first row in memory is the top row
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(TBitmapInfoHeader) == 40);

} // namespace kalvo
