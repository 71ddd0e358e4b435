#pragma once
// Palette files (.pal, JASC-PAL text).
#include "image/Color.h"

#include <optional>
#include <string>
#include <vector>

namespace kalvo {

// Writes the first 256 entries of palette to fileName (replacing it only with a complete file).
// Returns false, writing nothing, when the palette is empty or the file cannot be written.
bool ExportPalette(const std::vector<TColor>& palette, const std::string& fileName);

// Reads a palette file; nothing when the file cannot be read, is larger than kMaxPaletteFileSize
// or is not a valid palette (see ParseJascPalette).
std::optional<std::vector<TColor>> ImportPalette(const std::string& fileName);

// Palette files are a few kilobytes; anything above this is refused unread.
constexpr std::size_t kMaxPaletteFileSize = std::size_t(1) << 20;

} // namespace kalvo
