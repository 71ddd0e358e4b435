#pragma once
// The median-cut split of the DIB container's reductions: colour classes weighted by their pixel
// counts are divided in real arithmetic until the depth limit, each final range becoming one
// palette entry. Every run sends exactly 2^depth progress steps.
#include "codecs/bmp/DibConvert.h"
#include "codecs/bmp/DibTypes.h"

#include <cstdint>
#include <vector>

namespace kalvo {

struct TReductionCell {
    int R = 0, G = 0, B = 0;
    std::uint64_t Count = 0;
    int Class = 0; // the class's own number; survives reordering
    int Index = 0; // the palette index after the split
};

// Splits cells in place; returns the palette entries made (at most 2^depth) and sets Index.
std::vector<TRGBQuad> SplitCells(std::vector<TReductionCell>& cells, int depth, const TProgressCallback& step);

} // namespace kalvo
