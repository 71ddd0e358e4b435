#pragma once
// Selection masks and outlines shared by the selection effect tests.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Outline.h"

#include <cstring>

namespace kalvo::test {

// A size x size selection mask (255 = not selected) with the square [10, 20) x [10, 20) selected.
inline TBitmap SquareSelectionMask(int size)
{
    TBitmap mask(size, size, 8);
    std::memset(mask.bits(), 255, mask.byteSize());
    for (int y = 10; y < 20; ++y)
        std::memset(mask.scanLine(y) + 10, 0, 10);
    return mask;
}

// The mask's outline as point pairs.
inline TPoints OutlineOf(const TBitmap& mask)
{
    TPoints points;
    Bitmap8ToPoints(&mask, points);
    return points;
}

} // namespace kalvo::test
