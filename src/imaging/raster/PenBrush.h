#pragma once
// The brush tip: a square table of 8-bit weights (0 = no paint, 255 = full paint) built from a
// size, a hardness and a shape.
#include "imaging/raster/ByteTable.h"

namespace kalvo {

enum class TpxBrushStyle { pxsRound, pxsSquare, pxsLSlash, pxsRSlash, pxsHorz, pxsVert };

struct TpxPenBrush {
    int Size = 0;    // the tip is Size x Size
    TByteTable Mask; // Size rows of Size weights
};

// Fills the tip: size limited to 1..200, hardness to 0..100. Tips smaller than 3 are solid 255
// whatever the shape; a style outside the enumeration leaves the tip all zero. Without memory for
// the weights (std::bad_alloc) the tip is left as it was.
void BuildBrush(TpxPenBrush& brush, int size, int hardness, TpxBrushStyle style);
// BuildBrush with hardness 0.
void BuildSoftBrush(TpxPenBrush& brush, int size, TpxBrushStyle style);
// Releases the weights and sets the size to 0.
void FreeBrush(TpxPenBrush& brush);

} // namespace kalvo
