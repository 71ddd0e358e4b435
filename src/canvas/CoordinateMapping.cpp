#include "canvas/CoordinateMapping.h"

#include <algorithm>

namespace kalvo {

namespace {

int ToImage(int screen, int origin, int zoom, int scroll)
{
    return int((long long)(screen - origin) * 100 / zoom) + scroll;
}

// Trunc((v + 1/2) * Zoom / 100) in integers: (2 v Zoom + Zoom) / 200.
int ToScreenCentre(int v, int zoom, int origin)
{
    return int(((long long)v * zoom * 2 + zoom) / 200) + origin;
}

} // namespace

QPoint ScreenToImage(const TViewGeometry& g, QPoint p)
{
    return {ToImage(p.x(), g.ImageLeft, g.Zoom, g.ScrollX), ToImage(p.y(), g.ImageTop, g.Zoom, g.ScrollY)};
}

QPoint ImageToScreen(const TViewGeometry& g, QPoint p)
{
    return {g.Zoomed(p.x() - g.ScrollX) + g.ImageLeft, g.Zoomed(p.y() - g.ScrollY) + g.ImageTop};
}

QPoint ImageToScreenCentre(const TViewGeometry& g, QPoint p)
{
    return {ToScreenCentre(p.x() - g.ScrollX, g.Zoom, g.ImageLeft),
            ToScreenCentre(p.y() - g.ScrollY, g.Zoom, g.ImageTop)};
}

QPoint ClampToImageEdge(const TViewGeometry& g, QPoint p)
{
    return {std::clamp(p.x(), 0, std::max(0, g.ImageWidth)), std::clamp(p.y(), 0, std::max(0, g.ImageHeight))};
}

QPoint ClampToImagePixel(const TViewGeometry& g, QPoint p)
{
    return {std::clamp(p.x(), 0, std::max(0, g.ImageWidth - 1)), std::clamp(p.y(), 0, std::max(0, g.ImageHeight - 1))};
}

bool IsInImage(const TViewGeometry& g, QPoint p)
{
    return p.x() >= 0 && p.x() < g.ImageWidth && p.y() >= 0 && p.y() < g.ImageHeight;
}

bool IsInDisplayedImage(const TViewGeometry& g, QPoint p)
{
    return p.x() >= g.ImageLeft && p.x() <= g.ImageLeft + g.DisplayWidth && p.y() >= g.ImageTop
        && p.y() <= g.ImageTop + g.DisplayHeight;
}

} // namespace kalvo
