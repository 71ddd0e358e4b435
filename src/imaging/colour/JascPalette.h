#pragma once
// The JASC-PAL palette text: "JASC-PAL", "0100", the entry count n, then n lines "R G B", each
// line ending in CR LF.
#include "image/Color.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvo {

// The text for the first 256 entries of palette (empty when the palette is empty).
std::string JascPaletteText(const std::vector<TColor>& palette);

// Reads palette text. Lines end at CR LF, LF or CR; the first two lines are not checked. The
// third line must be an integer n, 1 <= n <= 256, and n entry lines must follow; each entry line
// is split into tokens at commas and spaces and its first three tokens must be integers, whose
// low 8 bits are red, green and blue. Anything else gives nothing.
std::optional<std::vector<TColor>> ParseJascPalette(std::string_view text);

} // namespace kalvo
