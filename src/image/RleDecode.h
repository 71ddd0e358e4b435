#pragma once
// The RLE8 and RLE4 decoders of compressed BMP and DIB data.
//
// Rows are counted in the order the compressed data gives them (for a bottom-up BMP, row 0 is the
// bottom row). The destination is addressed as firstRow + y * rowStep, so that a caller can
// decode bottom-up data straight into top-down memory (rowStep negative). Pixels the data never
// sets are left as they are (the caller zero-fills). Errors raise ERleDecodeError with the
// message of the failing check; decoding stops quietly at the end of the data, never reading past
// it, when the data ends without an end-of-bitmap code.
#include <cstddef>
#include <cstdint>
#include <span>

namespace kalvo {

void DecodeRle8(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep);
void DecodeRle4(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep);

} // namespace kalvo
