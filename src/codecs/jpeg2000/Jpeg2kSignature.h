#pragma once
// Recognising JPEG 2000 data by its first bytes, and peeking at the JP2 header boxes.
#include <cstdint>
#include <span>

namespace kalvo {

enum class TJpeg2kFormat { None, Jp2, CodeStream };

// Jp2 when data starts with the twelve bytes of the JP2 signature box, CodeStream when it starts
// with the start-of-code-stream and image-and-tile-size markers (FF4F FF51), None otherwise.
TJpeg2kFormat DetectJpeg2kFormat(std::span<const std::uint8_t> data);

// The number of columns of the palette box inside the JP2 header box, 0 when there is none (or
// the boxes cannot be walked). Each column becomes one more image plane when decoded.
int Jp2PaletteColumns(std::span<const std::uint8_t> data);

} // namespace kalvo
