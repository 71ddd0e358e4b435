#include "imaging/raster/AntiAliasedLine.h"

#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace kalvo {

namespace {

// Hands each pixel's value Trunc(255 * d) to the caller's plot.
class TLinePlotter {
public:
    explicit TLinePlotter(const std::function<void(int, int, int)>& plot) : plot_(plot) { }

    void plot(int x, int y, double d) const { plot_(x, y, Trunc(std::clamp(255.0 * d, 0.0, 255.0))); }

private:
    const std::function<void(int, int, int)>& plot_;
};

void AxisLine(const TLinePlotter& plot, int x1, int y1, int x2, int y2)
{
    if (y1 == y2 && x1 != x2) {
        if (x1 > x2)
            std::swap(x1, x2);
        plot.plot(x1 - 1, y1, 0.95);
        plot.plot(x2 + 1, y1, 0.95);
        for (int x = x1; x <= x2; ++x) {
            plot.plot(x, y1 - 1, 0.95);
            plot.plot(x, y1 + 1, 0.95);
            plot.plot(x, y1, 0.05);
        }
        return;
    }
    if (y1 > y2)
        std::swap(y1, y2);
    plot.plot(x1, y1 - 1, 0.95);
    plot.plot(x1, y2 + 1, 0.95);
    for (int y = y1; y <= y2; ++y) {
        plot.plot(x1 - 1, y, 0.95);
        plot.plot(x1 + 1, y, 0.95);
        plot.plot(x1, y, 0.05);
    }
}

void SlantedLine(const TLinePlotter& plot, int x1, int y1, int x2, int y2)
{
    const bool xMajor = std::abs(x2 - x1) > std::abs(y2 - y1);
    const int D = xMajor ? std::abs(x2 - x1) : std::abs(y2 - y1);
    const int m = xMajor ? std::abs(y2 - y1) : std::abs(x2 - x1);
    const int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    // The minor step as an offset in x and y.
    const int mx = xMajor ? 0 : sx, my = xMajor ? sy : 0;
    int e = 2 * m - D;
    int t = 0;
    const double invDenom = 1.0 / (2.0 * std::sqrt(double(D) * D + double(m) * m));
    const double twoDInv = 2.0 * D * invDenom;
    int x = x1, y = y1;
    for (int i = 0; i <= D; ++i) {
        plot.plot(x, y, t * invDenom);
        plot.plot(x + mx, y + my, twoDInv - t * invDenom);
        plot.plot(x - mx, y - my, twoDInv + t * invDenom);
        if (e < 0) {
            t = e + D;
            e += 2 * m;
        } else {
            t = e - D;
            e += 2 * (m - D);
            x += mx;
            y += my;
        }
        if (xMajor)
            x += sx;
        else
            y += sy;
    }
}

} // namespace

void WalkAntiAliasedLine(int x1, int y1, int x2, int y2, const std::function<void(int, int, int)>& plot)
{
    const TLinePlotter plotter(plot);
    if (x1 == x2 || y1 == y2)
        AxisLine(plotter, x1, y1, x2, y2);
    else
        SlantedLine(plotter, x1, y1, x2, y2);
}

void DrawAntiAliasedLine(TBitmap& mask, int x1, int y1, int x2, int y2, const QRect& clip)
{
    if (mask.empty() || mask.bitCount() != 8)
        return;
    const int left = std::max(clip.left(), 0), top = std::max(clip.top(), 0);
    const int right = std::min(clip.left() + clip.width(), mask.width());
    const int bottom = std::min(clip.top() + clip.height(), mask.height());
    // The darker value wins.
    WalkAntiAliasedLine(x1, y1, x2, y2, [&](int x, int y, int v) {
        if (x < left || y < top || x >= right || y >= bottom)
            return;
        std::uint8_t& p = mask.scanLine(y)[x];
        if (v < p)
            p = std::uint8_t(v);
    });
}

} // namespace kalvo
