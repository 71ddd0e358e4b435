#pragma once
// The pen: a one-pixel polyline, optionally anti-aliased and partly transparent, applied
// through the selection.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Region.h"

#include <optional>
#include <vector>

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

// The pen's stroke mask (as PenStrokeMask) cut into tiles, kPenTile square and clipped to the
// picture, made only where the lines mark a pixel: every other pixel of the mask is 255.
constexpr int kPenTile = 32;
struct TPenTiles {
    std::vector<TRect> Tiles;
    std::vector<TBitmap> Masks; // 8-bit, each its tile's size
};
TPenTiles PenStrokeTiles(int width, int height, const TPoints& points, bool antiAlias);

// What DrawPenStroke (with the region) makes of the tiles' pixels, given the tiles of its stroke
// mask: a bitmap of each tile's size, the same pixels without a copy of the picture. None when
// DrawPenStroke gives none.
std::optional<std::vector<TBitmap>> DrawPenStrokeTiles(const TBitmap& picture, const TBitmap* selectionMask,
                                                       const TPoints& points, int alpha, const TRegionRef& region,
                                                       TColor color, const TPenTiles& tiles);
// Writes the tiles' pixels from DrawPenStrokeTiles into the 24-bit picture.
void PutPenTiles(TBitmap& picture, const TPenTiles& tiles, const std::vector<TBitmap>& pixels) noexcept;

// The greyscale stroke mask of the polyline (255 = untouched, 0 = full stroke).
TBitmap PenStrokeMask(int width, int height, const TPoints& points, bool antiAlias);

} // namespace kalvo
