#pragma once
// The canvas's own cursors, numbered 161..177: 32 x 32 two-colour pictures kept as resources
// with their hotspots. On a screen with a device pixel ratio above 1 a picture is enlarged by
// whole pixels (nearest neighbour) to the ratio, so that it keeps its size and stays crisp.
#include <QCursor>
#include <QPoint>

namespace kalvo {

enum TCanvasCursor : int {
    crHandOpen = 161,
    crHandClosed = 162,
    crSelect = 163,
    crSelectAdd = 164,
    crSelectSubtract = 165,
    crMagicWand = 166,
    crMagicWandAdd = 167,
    crMagicWandSubtract = 168,
    crZoom = 169,
    crMoveRegion = 170,
    crMoveArea = 171,
    crPaint = 172,
    crSpoit = 173,
    crPen = 174,
    crBrush = 175,
    crShape = 176,
    crText = 177,
};

constexpr int kFirstCanvasCursor = crHandOpen;
constexpr int kLastCanvasCursor = crText;

// The resource name of a cursor ("PXR_HANDOPEN" ...); empty for other numbers.
const char* CanvasCursorName(int number);
// The hotspot of a cursor.
QPoint CanvasCursorHotspot(int number);
// The cursor for a device pixel ratio; the arrow for numbers outside 161..177.
QCursor CanvasCursor(int number, double ratio = 1.0);
// The hotspot given to the enlarged cursor: X11 places it in the picture's own pixels, other
// platforms in logical pixels.
QPoint ScaledCursorHotspot(QPoint hotspot, double ratio, bool inPicturePixels);

} // namespace kalvo
