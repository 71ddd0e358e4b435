#pragma once
// Recognising JPEG 2000 data by its first bytes, and peeking at the JP2 header boxes.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kalvo {

enum class TJpeg2kFormat { None, Jp2, CodeStream };

// Jp2 when data starts with the twelve bytes of the JP2 signature box, CodeStream when it starts
// with the start-of-code-stream and image-and-tile-size markers (FF4F FF51), None otherwise.
TJpeg2kFormat DetectJpeg2kFormat(std::span<const std::uint8_t> data);

// The reference grid, tiling and planes a code stream declares in its image and tile size
// marker (SIZ). Tile fields are 0 where unknown.
struct TJpeg2kGeometry {
    struct Plane {
        std::uint32_t dx = 1;
        std::uint32_t dy = 1;
        std::uint32_t precision = 8;
    };
    std::uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::uint32_t tileWidth = 0, tileHeight = 0, tileX0 = 0, tileY0 = 0;
    std::vector<Plane> planes;
};

// The geometry of the code stream in data (the contents of the JP2 file's code-stream box for
// Jp2), read without OpenJPEG; nothing when the marker is missing or cut short.
std::optional<TJpeg2kGeometry> ReadJpeg2kGeometry(std::span<const std::uint8_t> data, TJpeg2kFormat format);

// The number of columns of the palette box inside the JP2 header box, 0 when there is none (or
// the boxes cannot be walked). Each column becomes one more image plane when decoded.
int Jp2PaletteColumns(std::span<const std::uint8_t> data);

} // namespace kalvo
