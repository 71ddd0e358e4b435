#pragma once
// The colour-difference tables of the YCbCr to RGB conversion, indexed by a scaled Cb or Cr
// sample 0..255 (d = index - 128): CR = round(1.402 d), CB = round(1.772 d),
// CG = -round(0.714136 d), CBG = -round(0.344136 d), rounding to nearest with ties to even.
#include <array>

namespace kalvo {

struct TYCbCrTables {
    std::array<int, 256> CR;
    std::array<int, 256> CB;
    std::array<int, 256> CG;
    std::array<int, 256> CBG;
};

// The tables, built on first use.
const TYCbCrTables& YCbCrTables();

} // namespace kalvo
