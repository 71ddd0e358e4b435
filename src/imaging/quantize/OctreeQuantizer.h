#pragma once
// Octree colour quantisation. The colours of an image are gathered in an octree (one level per
// bit of red, green and blue, leaves at six bits per channel with exact sums); while there are
// more leaves than wanted, the node with the fewest pixels on the deepest level that still has
// children is merged into one leaf. Each leaf's colour is the mean of its pixels. An image with
// no more distinct colours than wanted keeps exactly its colours, in the order first seen.
#include "image/Bitmap.h"

#include <vector>

namespace kalvo {

// The palette of 1..maxColors colours (maxColors is clamped to 1..256) for a bitmap of any
// depth; empty for an empty bitmap.
std::vector<TColor> OctreePalette(const TBitmap& source, int maxColors = 256);

// The source reduced to an 8-bit bitmap over OctreePalette: every pixel takes the nearest palette
// colour (smallest squared RGB distance, the first minimum wins), without dithering. The
// transparency property is carried over.
TBitmap OctreeQuantize(const TBitmap& source, int maxColors = 256);

} // namespace kalvo
