#pragma once
// The decoded rows of a page with contiguous samples, from strips or from tiles.
#include "codecs/tiff/TiffHandle.h"

#include <cstdint>
#include <functional>

namespace kalvo {

// Calls row(data, y) for every row from top to bottom with the row's decoded samples as libtiff
// lays them out (TIFFScanlineSize bytes). Decodes one strip, or one row of tiles, at a time.
// Throws ETiffError when a strip or tile cannot be decoded.
void ReadTiffBands(TTiffHandle& handle, const std::function<void(const std::uint8_t* row, int y)>& row);

} // namespace kalvo
