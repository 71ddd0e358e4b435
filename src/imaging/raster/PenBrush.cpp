#include "imaging/raster/PenBrush.h"

#include "imaging/raster/LineWalk.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

namespace {

// A stripe of the tip drawn with the real-step walk: set to a value, or lowered by it.
void TipLine(TpxPenBrush& brush, int x1, int y1, int x2, int y2, int value, bool subtract)
{
    WalkLine(x1, y1, x2, y2, [&](double x, double y) {
        const int c = Trunc(x), r = Trunc(y);
        if (c < 0 || r < 0 || c >= brush.Size || r >= brush.Size)
            return;
        std::uint8_t& b = brush.Mask[r][c];
        b = std::uint8_t(subtract ? clamp255(int(b) - value) : value);
    });
}

void BuildRound(TpxPenBrush& brush, int s, int h)
{
    const double r = s / 2.0;
    const double inner = double(s * h) / 100.0 / 2.0;
    const double k = inner == r ? 0.0 : 255.0 / (r - inner);
    for (int i = 0; i < s; ++i) {
        for (int j = 0; j < s; ++j) {
            const double d = std::sqrt((j + 0.5 - r) * (j + 0.5 - r) + (i + 0.5 - r) * (i + 0.5 - r));
            brush.Mask[i][j] = std::uint8_t(d >= r ? 0 : 255 - clamp255((d - inner) * k));
        }
    }
}

void BuildSquare(TpxPenBrush& brush, int s, int h)
{
    const double inner = double(s * h) / 100.0;
    const double k = inner == s ? 255.0 : 255.0 / (s - inner);
    const int rings = Trunc(s / 2.0 - 2.0);
    for (int t = 0; t <= rings; ++t)
        for (int i = t; i <= s - 1 - t; ++i)
            for (int j = t; j <= s - 1 - t; ++j)
                brush.Mask[i][j] = std::uint8_t(clamp255(brush.Mask[i][j] + k));
}

// The fall-off per stripe of the stripe shapes; 0 for narrow stripes and hard tips.
double StripeStep(int w, int h)
{
    return (w < 2 || h == 100) ? 0.0 : double(100 - h) * 255.0 / w / 100.0;
}

void BuildSlash(TpxPenBrush& brush, int s, int h, bool left)
{
    const int w = s / 4 + 1;
    const double k = StripeStep(w, h);
    for (int b = 0; b <= w; ++b) {
        const int v = b == 0 ? 255 : clamp255(255.0 - (b - 1) * k);
        if (left) {
            TipLine(brush, b, 0, s - 1, s - 1 - b, v, false);
            TipLine(brush, 0, b, s - 1 - b, s - 1, v, false);
        } else {
            TipLine(brush, s - 1 - b, 0, 0, s - 1 - b, v, false);
            TipLine(brush, s - 1, b, b, s - 1, v, false);
        }
    }
    if (w > 2 && h < 100) {
        const int v = w > 3 ? Round(2.0 * k) : Round(k);
        TipLine(brush, 0, 0, s - 1, 0, v, true);
        TipLine(brush, 0, 0, 0, s - 1, v, true);
        TipLine(brush, s - 1, 0, s - 1, s - 1, v, true);
        TipLine(brush, 0, s - 1, s - 1, s - 1, v, true);
    }
}

void BuildStripes(TpxPenBrush& brush, int s, int h, bool horizontal)
{
    const int w = s >= 5 ? s / 5 + 1 : s / 3;
    const double k = StripeStep(w, h);
    const int c = Trunc(s / 2.0);
    // Line at position p across the tip: a row for horizontal stripes, a column for vertical ones.
    auto across = [&](int p, int v, bool subtract) {
        if (horizontal)
            TipLine(brush, 0, p, s - 1, p, v, subtract);
        else
            TipLine(brush, p, 0, p, s - 1, v, subtract);
    };
    across(c, 255, false);
    for (int b = 1; b <= w; ++b) {
        const int v = clamp255(255.0 - b * k);
        across(c + b, v, false);
        across(c - b, v, false);
    }
    if (h < 100) {
        // The two end lines: left and right columns of horizontal stripes, top and bottom rows
        // of vertical ones.
        const int v = Round(k);
        if (horizontal) {
            TipLine(brush, 0, 0, 0, s - 1, v, true);
            TipLine(brush, s - 1, 0, s - 1, s - 1, v, true);
        } else {
            TipLine(brush, 0, 0, s - 1, 0, v, true);
            TipLine(brush, 0, s - 1, s - 1, s - 1, v, true);
        }
    }
}

} // namespace

void BuildBrush(TpxPenBrush& brush, int size, int hardness, TpxBrushStyle style)
{
    const int s = std::clamp(size, 1, 200);
    const int h = std::clamp(hardness, 0, 100);
    // The table first: without memory for it the tip stays as it was.
    brush.Mask = TByteTable(s, s);
    brush.Size = s;
    if (s < 3) {
        for (int i = 0; i < s; ++i)
            std::fill_n(brush.Mask[i], s, std::uint8_t(255));
        return;
    }
    switch (style) {
    case TpxBrushStyle::pxsRound: BuildRound(brush, s, h); break;
    case TpxBrushStyle::pxsSquare: BuildSquare(brush, s, h); break;
    case TpxBrushStyle::pxsLSlash:
    case TpxBrushStyle::pxsRSlash: BuildSlash(brush, s, h, style == TpxBrushStyle::pxsLSlash); break;
    case TpxBrushStyle::pxsHorz:
    case TpxBrushStyle::pxsVert: BuildStripes(brush, s, h, style == TpxBrushStyle::pxsHorz); break;
    }
}

void BuildSoftBrush(TpxPenBrush& brush, int size, TpxBrushStyle style)
{
    BuildBrush(brush, size, 0, style);
}

void FreeBrush(TpxPenBrush& brush)
{
    brush.Mask.clear();
    brush.Size = 0;
}

} // namespace kalvo
