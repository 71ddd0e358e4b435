#pragma once
// The one-axis weights of the area-integrated bilinear resampler.
//
// A destination pixel x covers the source interval xa = x*s - 0.5 .. xb = (x+1)*s - 0.500001 in
// pixel-centre coordinates (s = srcSize / dstSize). The integral of the bilinear patch of cell j
// (between the centres j and j+1) over its overlap of width ws and relative centre c is
// ws * ((1 - c) * P[j] + c * P[j+1]) on each axis, so the two-dimensional integral is the product
// of one-axis weights. Indices beyond the edges use the edge pixel.
#include <vector>

namespace kalvo {

struct TResampleTaps {
    // Destination pixel d reads source pixels First[d] .. First[d] + Count[d] - 1 with the
    // weights Weights[Offset[d] ...].
    std::vector<int> First, Count, Offset;
    std::vector<double> Weights;
};

// srcSize and dstSize at least 1.
TResampleTaps MakeResampleTaps(int srcSize, int dstSize);

// The overlap of [a, b] with the cell [j, j + 1]: its width and its centre relative to j.
struct TCellOverlap {
    double Width;
    double Centre;
};
TCellOverlap CellOverlap(double a, double b, int j);

} // namespace kalvo
