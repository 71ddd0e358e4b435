#pragma once
// Pixel routines that work alike at every depth (1, 4, 8, 16, 24 and 32 bits): a picture copied in
// at an offset, a region filled and one-pixel lines, each clipped to a region.
// Palette images take the nearest entry of the colour their palette can address. QPainter
// cannot draw on indexed images, so painting on them goes through these.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Region.h"

#include <QRect>

#include <cstdint>
#include <vector>

namespace kalvo {

// Calls span(y, x0, x1) for every run of pixels [x0, x1) on row y that lies inside both the area
// and the clip (absent: the whole area). The rectangles of a region do not overlap, so every
// pixel is visited once.
template <typename Span>
void ForEachRegionSpan(const QRect& area, const TRegionRef& clip, Span&& span)
{
    if (area.isEmpty())
        return;
    if (!clip) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            span(y, area.left(), area.right() + 1);
        return;
    }
    const TRegion inside = clip->intersected(TRect{area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    for (const pixman_box32_t& b : inside.boxes())
        for (int y = b.y1; y < b.y2; ++y)
            span(y, b.x1, b.x2);
}

// What a colour is stored as in this image: the nearest palette index (among the entries the
// depth can address) at 1, 4 and 8 bits, a 5-5-5 word at 16, the colour at 24, the word with
// blue in the low byte at 32; -1 when it cannot be stored (an empty palette, an empty image).
std::int64_t StoredValueOf(const TBitmap& bitmap, TColor color);

// The pixels of `box` (image coordinates) that lie inside clip (absent: all): one byte per pixel,
// 1 inside, row by row.
std::vector<std::uint8_t> ClipCells(const QRect& box, const TRegionRef& clip);

// Writes a stored value (from StoredValueOf) at pixel (x, y); no range checks.
void PutStoredValue(TBitmap& bitmap, int x, int y, std::int64_t value);

// The bytes of a row of `width` pixels that each hold the stored value (from StoredValueOf) at
// 8, 16, 24 or 32 bits.
std::vector<std::uint8_t> StoredValueRow(int bitCount, int width, std::int64_t value);

// Draws source 1:1 over target with its top-left pixel at target (x, y), only where the target
// lies inside clip (target coordinates; absent: no clipping). At the same depth the stored values
// are copied as they are (indices too; palettes are not touched); between depths each pixel goes
// through its colour (the nearest palette entry on a palette target). Returns the changed target
// rectangle (empty when nothing was written).
QRect CopyBitmapClipped(TBitmap& target, const TBitmap& source, int x, int y, const TRegionRef& clip);

// Fills the region (absent: the whole image) with the colour. False when the colour cannot be
// stored (see StoredValueOf); nothing changes then.
bool FillRegion(TBitmap& bitmap, const TRegionRef& region, TColor color);

// One-pixel lines through the points: a polyline, or the separate segments p0-p1, p2-p3, ...
// when pairs is set. Each segment leaves out its final pixel, as the pen's stroke mask does, so a
// polyline draws every joint once and a single point draws nothing. Only pixels inside clip
// (absent: anywhere in the image) change. Returns the bounding box of the pixels written (empty
// when none); `stored`, when given, becomes false when the colour cannot be stored.
QRect DrawPixelLines(TBitmap& bitmap, const TPoints& points, bool pairs, TColor color, const TRegionRef& clip,
                     bool* stored = nullptr);

} // namespace kalvo
