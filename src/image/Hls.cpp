#include "image/Hls.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

THLS RGBToHLS(TColor color)
{
    const double r = GetRValue(color);
    const double g = GetGValue(color);
    const double b = GetBValue(color);
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    const double l = ((mx + mn) * 240 + 255) / 510;
    if (mx == mn)
        return THLS{160, int(std::nearbyint(l)), 0};
    const double range = mx - mn;
    const double s = l <= 120 ? (range * 240 + (mx + mn) / 2) / (mx + mn)
                              : (range * 240 + (510 - mx - mn) / 2) / (510 - mx - mn);
    auto delta = [&](double c) { return ((mx - c) * 40 + range / 2) / range; };
    double h;
    if (r == mx)
        h = delta(b) - delta(g);
    else if (g == mx)
        h = 80 + delta(r) - delta(b);
    else
        h = 160 + delta(g) - delta(r);
    if (h < 0)
        h += 240;
    if (h > 240)
        h -= 240;
    return THLS{int(std::nearbyint(h)), int(std::nearbyint(l)), int(std::nearbyint(s))};
}

} // namespace kalvo
