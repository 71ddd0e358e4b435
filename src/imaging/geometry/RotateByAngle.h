#pragma once
// Rotation by any angle in tenths of a degree, clockwise for positive angles.
#include "image/Bitmap.h"
#include "image/Color.h"
#include "imaging/ProgressCallback.h"

namespace kalvo {

// Angles the editor and kalvo-cli accept, in tenths of a degree.
constexpr int kMinRotationTenths = -3600;
constexpr int kMaxRotationTenths = 3600;

// The size of the canvas that holds a width x height picture turned by the angle.
void RotatedSize(int width, int height, int tenths, int& newWidth, int& newHeight);

// True when the angle is a whole number of quarter turns (an exact permutation).
bool IsQuarterTurn(int tenths);

// The source turned clockwise by tenths / 10 degrees. Whole quarter turns are exact permutations
// at the source's depth (OrientBitmap). Any other angle gives a 24-bit bitmap of RotatedSize:
// each pixel samples the source bilinearly about the centres of both pictures, samples outside
// the source count as the background colour, so the corners are background and the edges are
// smooth. progress, when given, receives the percentage of rows done. Throws EPxImageError for
// an empty source or an angle outside the range, EInvalidGraphic for a result beyond the bounds.
TBitmap RotateByAngle(const TBitmap& source, int tenths, TColor background, const TProgressCallback& progress = {});

} // namespace kalvo
