#pragma once
// The decoded rows of a page with contiguous samples, from strips or from tiles.
#include "codecs/tiff/TiffHandle.h"

#include <cstdint>
#include <functional>

namespace kalvo {

// Whether the band of count rows from row first is wanted.
using TTiffBandFilter = std::function<bool(int first, int count)>;

// Calls row(data, y) for every row from top to bottom with the row's decoded samples as libtiff
// lays them out (TIFFScanlineSize bytes). Decodes one strip, or one row of tiles, at a time; with
// a filter, only the bands it wants are decoded (and their rows passed on).
// Throws ETiffError when a strip or tile cannot be decoded.
void ReadTiffBands(TTiffHandle& handle, const std::function<void(const std::uint8_t* row, int y)>& row,
                   const TTiffBandFilter& wanted = {});

} // namespace kalvo
