#pragma once
// The RLE8 and RLE4 decoders of compressed BMP and DIB data.
//
// Rows are counted in the order the compressed data gives them (for a bottom-up BMP, row 0 is the
// bottom row). The destination is addressed as firstRow + y * rowStep, so that a caller can
// decode bottom-up data straight into top-down memory (rowStep negative). Pixels the data never
// sets are left as they are (the caller zero-fills). Errors raise ERleDecodeError with the
// message of the failing check. The decoders never read past the end of the data.
#include <cstddef>
#include <cstdint>
#include <span>

namespace kalvo {

enum class TRleMode {
    // The DIB container's rules: runs and absolute runs end at the width (for RLE4 the width
    // rounded up to even, so a run may fill the pad nibble), and data that ends before an
    // end-of-bitmap code fails ("<decoder>: Truncated RLE Data").
    Exact,
    // The general BMP reader's rules, for files as other programs write them: runs and absolute
    // runs may reach into the row's padding (up to its four-byte end), the pixels beyond the width
    // are dropped, and decoding stops quietly where the data ends.
    Lenient,
};

// The destination rows must hold the padded row in both modes (stride bytes of a BMP row); in
// lenient mode only the bytes of the width's pixels are written.
void DecodeRle8(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep, TRleMode mode);
void DecodeRle4(std::span<const std::uint8_t> data, int width, int height, std::uint8_t* firstRow,
                std::ptrdiff_t rowStep, TRleMode mode);

} // namespace kalvo
