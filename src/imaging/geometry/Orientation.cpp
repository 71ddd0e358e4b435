#include "imaging/geometry/Orientation.h"

#include <array>

namespace kalvo {

namespace {

// Each transformation as the 2 x 2 matrix that maps centred coordinates (x right, y down) of
// the source to those of the result, indexed by the tag value.
using TMatrix = std::array<int, 4>; // m00 m01 m10 m11

constexpr std::array<TMatrix, 9> kMatrices = {{
    {0, 0, 0, 0},
    {1, 0, 0, 1},   // normal
    {-1, 0, 0, 1},  // flip horizontal
    {-1, 0, 0, -1}, // 180
    {1, 0, 0, -1},  // flip vertical
    {0, 1, 1, 0},   // transpose
    {0, -1, 1, 0},  // 90 clockwise: right goes down
    {0, -1, -1, 0}, // transverse
    {0, 1, -1, 0},  // 270 clockwise
}};

const TMatrix& MatrixOf(TOrientation o)
{
    return kMatrices[std::size_t(o)];
}

} // namespace

std::optional<TOrientation> OrientationFromExif(int value)
{
    if (value < 1 || value > 8)
        return std::nullopt;
    return TOrientation(value);
}

bool SwapsSides(TOrientation orientation)
{
    return MatrixOf(orientation)[0] == 0;
}

TOrientation InverseOrientation(TOrientation orientation)
{
    // The matrices are orthogonal: the inverse is the transpose, which only tells the two
    // quarter turns apart.
    if (orientation == TOrientation::Rotate90)
        return TOrientation::Rotate270;
    if (orientation == TOrientation::Rotate270)
        return TOrientation::Rotate90;
    return orientation;
}

TOrientation ComposeOrientations(TOrientation first, TOrientation second)
{
    const TMatrix& a = MatrixOf(first);
    const TMatrix& b = MatrixOf(second);
    const TMatrix product = {b[0] * a[0] + b[1] * a[2], b[0] * a[1] + b[1] * a[3], b[2] * a[0] + b[3] * a[2],
                             b[2] * a[1] + b[3] * a[3]};
    for (int value = 1; value <= 8; ++value)
        if (kMatrices[std::size_t(value)] == product)
            return TOrientation(value);
    return TOrientation::Normal; // unreachable: the eight form a group
}

void OrientPoint(TOrientation orientation, int width, int height, int& x, int& y)
{
    const TMatrix& m = MatrixOf(orientation);
    // Doubled centred coordinates keep the arithmetic whole.
    const int cx = 2 * x + 1 - width, cy = 2 * y + 1 - height;
    const int outWidth = SwapsSides(orientation) ? height : width;
    const int outHeight = SwapsSides(orientation) ? width : height;
    x = (m[0] * cx + m[1] * cy + outWidth - 1) / 2;
    y = (m[2] * cx + m[3] * cy + outHeight - 1) / 2;
}

} // namespace kalvo
