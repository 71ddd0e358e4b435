#pragma once
// Small geometry value types shared by the region, outline and drawing code.
#include <QPoint>

#include <utility>
#include <vector>

namespace kalvo {

// A half-open rectangle: columns left..right-1 and rows top..bottom-1.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return left >= right || top >= bottom; }
    // The same rectangle with its corners in order (left <= right, top <= bottom).
    TRect normalized() const;
    bool operator==(const TRect&) const = default;
};

inline TRect TRect::normalized() const
{
    TRect r = *this;
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

// A dynamic array of integer points (outlines, polygons, strokes).
using TPoints = std::vector<QPoint>;

} // namespace kalvo
