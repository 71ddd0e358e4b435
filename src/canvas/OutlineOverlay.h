#pragma once
// The selection outline as the view draws it: a zoomed copy of the outline segments and of the
// region's bounding box, drawn as marching ants into the frame buffer, with the corner handles
// of a rectangular selection.
#include "image/Geometry.h"

#include <QImage>
#include <QRect>

namespace kalvo {

struct TZoomedOutline {
    TPoints Points; // each outline point as (Trunc(x * ZoomFactor), Trunc(y * ZoomFactor))
    TRect Box;      // each edge of the region's box times ZoomFactor, truncated
};

// The zoomed copy of an outline (point pairs in image coordinates) and of the region's box at
// zoom per cent. An empty outline leaves the box empty.
TZoomedOutline ScaleOutline(const TPoints& outline, const TRect& box, int zoom);

// Where and how the outline is drawn: the frame's offset in zoomed image coordinates
// (Trunc(Scroll * ZoomFactor)), the display size and the dash phase.
struct TOutlinePlacement {
    int OffsetX = 0;
    int OffsetY = 0;
    int DisplayWidth = 0;
    int DisplayHeight = 0;
    int Phase = 0;
    int HandleScale = 1; // corner handles are 8 x 8 pixels at 1, growing by 6 per step
};

// How far a corner handle reaches from its corner at a whole scale: it covers corner - reach
// .. corner + reach + 1 (8 x 8 pixels at scale 1), and the pointer grabs it within +-reach.
constexpr int CornerHandleReach(int scale)
{
    return 3 * scale;
}

// Draws every segment that may reach the display with the buffer dash; a segment with both ends
// left of or both above the frame is skipped without plotting. keepGoing() is asked before each
// segment; drawing stops when it returns false.
template <class KeepGoing>
void DrawOutlineSegments(QImage& frame, const TPoints& zoomed, const TOutlinePlacement& place, KeepGoing&& keepGoing);
void DrawOutlineSegments(QImage& frame, const TPoints& zoomed, const TOutlinePlacement& place);

// The four 8 x 8 corner handles of the zoomed box: black border, white inside, clipped to
// 0..DisplayWidth and 0..DisplayHeight.
void DrawCornerHandles(QImage& frame, const TRect& zoomedBox, const TOutlinePlacement& place);

// The frame area the outline and its handles can touch (for partial screen updates).
QRect OutlineFrameBounds(const TRect& zoomedBox, const TOutlinePlacement& place);

bool DrawOutlineSegment(QImage& frame, QPoint a, QPoint b, const TOutlinePlacement& place);

template <class KeepGoing>
void DrawOutlineSegments(QImage& frame, const TPoints& zoomed, const TOutlinePlacement& place, KeepGoing&& keepGoing)
{
    for (std::size_t i = 0; i + 1 < zoomed.size(); i += 2) {
        if (!keepGoing())
            return;
        DrawOutlineSegment(frame, zoomed[i], zoomed[i + 1], place);
    }
}

} // namespace kalvo
