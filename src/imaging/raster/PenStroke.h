#pragma once
// The pen: a one-pixel polyline, optionally anti-aliased and partly transparent, applied
// through the selection.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Region.h"

#include <QRect>

#include <optional>

namespace kalvo {

// A new 24-bit bitmap with the polyline through the points drawn in the colour, weighted per
// pixel by the stroke, by 255 minus the selection mask (nullptr: everything selected) and by
// (100 - alpha) per cent. Without anti-aliasing each segment is a one-pixel line without its
// final pixel. None when there are fewer than two points or the source is not 24-bit.
std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, TColor color);

// The same through the selection mask when there is one, else through the region (inside
// selected, outside not); with neither, everything is selected.
std::optional<TBitmap> DrawPenStroke(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                     int alpha, bool antiAlias, const TRegionRef& region, TColor color);

// The part of the picture the stroke can reach and that part with the stroke drawn in it.
struct TPenPatch {
    QRect Box;      // the points' box widened by 2 pixels, inside the picture (empty: outside)
    TBitmap Pixels; // 24-bit, the box's size
};

// What DrawPenStroke (with the region) changes, as the stroked pixels of the box the stroke can
// reach: the same pixels without a copy of the whole picture. None as for DrawPenStroke.
std::optional<TPenPatch> DrawPenStrokePatch(const TBitmap& source, const TBitmap* selectionMask, const TPoints& points,
                                            int alpha, bool antiAlias, const TRegionRef& region, TColor color);

// The greyscale stroke mask of the polyline (255 = untouched, 0 = full stroke).
TBitmap PenStrokeMask(int width, int height, const TPoints& points, bool antiAlias);

} // namespace kalvo
