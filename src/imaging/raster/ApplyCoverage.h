#pragma once
// Painting a colour into an image through a coverage table, the selection and a transparency:
// the shapes and the text tool commit through it at every depth.
#include "image/Bitmap.h"
#include "image/Color.h"
#include "image/Region.h"
#include "imaging/raster/ShapeMask.h"

#include <QRect>

namespace kalvo {

// Every pixel of the coverage's area inside the image takes the colour with the weight
// coverage x (255 - selection mask) / 255 x (100 - alpha) / 100. With no selection mask the
// region clips (inside: selected; absent: everything selected). Above 8 bits the pixel is mixed
// toward the colour by the weight; on palette pictures it takes the nearest palette entry where
// the weight reaches one half and stays elsewhere. Returns the changed image rectangle (empty
// when nothing changed).
QRect ApplyCoverage(TBitmap& bitmap, const TCoverage& coverage, TColor color, int alpha, const TBitmap* selectionMask,
                    const TRegionRef& region);

} // namespace kalvo
