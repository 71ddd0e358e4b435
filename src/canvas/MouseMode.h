#pragma once
// The canvas's tool state: what a mouse gesture on the image does.
#include <cstdint>

namespace kalvo {

enum TMouseMode : std::uint8_t {
    mmNeko = 0,            // hand: drag to scroll
    mmSelectRegion = 1,    // free-hand / polygon selection
    mmSelectRect = 2,      // rectangle selection
    mmSelectEllipse = 3,   // ellipse selection from the centre
    mmSelectMagicWand = 4, // colour-range selection
    mmSelectPoint = 5,     // pick one point, then return to the previous mode
    mmZoom = 6,            // click to zoom in, right-click to zoom out
    mmMoveRegion = 7,      // move the selection outline only
    mmMoveSelectArea = 8,  // move or copy the selected pixels
    mmPaint = 9,           // flood fill
    mmSpoit = 10,          // colour picker
    mmMerge = 11,          // floating paste with transparency
    mmPenFreehand = 12,    // pen, free-hand
    mmPenLine = 13,        // pen, straight line
    mmBrush = 14,          // soft brush
    mmNone = 15,           // no tool (preview canvases)
    mmShape = 16,          // lines, arrows, rectangles and ellipses dragged out
    mmText = 17,           // text typed at a clicked place
};

// True for the four modes that draw a new selection (free-hand, rectangle, ellipse, magic wand).
constexpr bool IsSelectionMode(TMouseMode mode)
{
    return mode >= mmSelectRegion && mode <= mmSelectMagicWand;
}

} // namespace kalvo
