#pragma once
// Brush dabs into an image through the selection mask, and the spaced dabs along a mouse stroke.
#include "image/Bitmap.h"
#include "imaging/raster/PenBrush.h"

namespace kalvo {

// The position of the last dab of a stroke: set by every dab, read by the spaced stroke.
struct TBrushTrail {
    int LastX = 0;
    int LastY = 0;
};

// One dab centred on image pixel (x, y), weighted per pixel by 255 minus the selection mask
// (an 8-bit bitmap of the image's size; nullptr selects everything, pixels outside it are not
// selected). A 24-bit image blends toward the colour with a shift by 8; a 1-, 4- or 8-bit image
// gets the nearest palette index wherever the tip and the selection are not 0 (nothing when the
// palette is empty). Other depths are left alone. Records (x, y) in the trail.
void StampBrush(TBitmap& bitmap, const TBitmap* mask, int x, int y, const TpxPenBrush& brush, TColor color,
                TBrushTrail& trail);

// Dabs along the segment, placing one at each walked position that lies at least `step`
// pixels (at least 1) from the last dab.
void StrokeBrushLine(TBitmap& bitmap, const TBitmap* mask, int x1, int y1, int x2, int y2, int step,
                     const TpxPenBrush& brush, TColor color, TBrushTrail& trail);

} // namespace kalvo
