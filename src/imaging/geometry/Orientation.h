#pragma once
// The eight ways to turn and mirror a picture without resampling, numbered as the EXIF
// orientation tag numbers them: the value says what to do to the stored picture to show it
// upright.
#include <optional>

namespace kalvo {

enum class TOrientation {
    Normal = 1,
    FlipHorizontal = 2, // mirror left-right
    Rotate180 = 3,
    FlipVertical = 4, // mirror top-bottom
    Transpose = 5,    // mirror about the top-left to bottom-right diagonal
    Rotate90 = 6,     // clockwise
    Transverse = 7,   // mirror about the top-right to bottom-left diagonal
    Rotate270 = 8,    // clockwise, that is 90 degrees anticlockwise
};

// The orientation for an EXIF tag value, nothing for a value outside 1..8.
std::optional<TOrientation> OrientationFromExif(int value);

// True when the transformation exchanges width and height.
bool SwapsSides(TOrientation orientation);

// The transformation that undoes this one.
TOrientation InverseOrientation(TOrientation orientation);

// The transformation that does first, then second.
TOrientation ComposeOrientations(TOrientation first, TOrientation second);

// Where the transformation takes the pixel (x, y) of a width x height picture.
void OrientPoint(TOrientation orientation, int width, int height, int& x, int& y);

} // namespace kalvo
