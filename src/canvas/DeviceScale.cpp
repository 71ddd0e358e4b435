#include "canvas/DeviceScale.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

int MarkScale(double ratio)
{
    return std::max(1, int(std::lround(ratio)));
}

namespace {

// Products such as 3 * 1.1 come out a hair above the whole number they stand for.
constexpr double kSlack = 1e-9;

int floorDiv(int device, double ratio)
{
    return int(std::floor(device / ratio + kSlack));
}

int ceilDiv(int device, double ratio)
{
    return int(std::ceil(device / ratio - kSlack));
}

} // namespace

int DeviceLength(int logical, double ratio)
{
    return int(std::lround(logical * ratio));
}

QPoint DevicePoint(QPointF logical, double ratio)
{
    if (ratio == 1.0)
        return logical.toPoint();
    return QPoint(int(std::floor(logical.x() * ratio + kSlack)), int(std::floor(logical.y() * ratio + kSlack)));
}

QPointF LogicalPoint(QPoint device, double ratio)
{
    return QPointF(device.x() / ratio, device.y() / ratio);
}

QRect LogicalRect(const QRect& device, double ratio)
{
    if (ratio == 1.0 || device.isEmpty())
        return device;
    const int left = floorDiv(device.left(), ratio), top = floorDiv(device.top(), ratio);
    const int right = ceilDiv(device.left() + device.width(), ratio);
    const int bottom = ceilDiv(device.top() + device.height(), ratio);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace kalvo
