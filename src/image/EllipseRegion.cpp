// The ellipse region, computed from the ellipse equation at pixel centres.
#include "image/Region.h"
#include "image/RegionBuilder.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

namespace {

// The last column of row y whose pixel centre lies inside the ellipse; left of the box when the
// row is empty. The caller mirrors it about the box centre to get the first column.
int lastColumnInRow(const TRect& box, int y)
{
    const double cx = (double(box.left) + box.right) / 2;
    const double cy = (double(box.top) + box.bottom) / 2;
    const double a = box.width() / 2.0;
    const double b = box.height() / 2.0;
    const double dy = (y + 0.5 - cy) / b;
    if (std::abs(dy) > 1)
        return box.left - 1;
    const double halfWidth = a * std::sqrt(std::max(0.0, 1 - dy * dy));
    // A small allowance keeps centres that lie exactly on the ellipse inside despite rounding.
    return int(std::floor(cx + halfWidth - 0.5 + 1e-9));
}

} // namespace

TRegion TRegion::ellipse(const TRect& box)
{
    const TRect b = TRegion::rect(box).boundingRect();
    if (b.isEmpty())
        return TRegion();
    const int upperRows = (b.height() + 1) / 2;
    std::vector<int> lastColumn(std::size_t(upperRows), 0);
    for (int i = 0; i < upperRows; ++i)
        lastColumn[std::size_t(i)] = lastColumnInRow(b, b.top + i);
    TRegionBuilder builder;
    auto addRow = [&](int y, int last) {
        const int first = b.left + b.right - 1 - last;
        if (first <= last)
            builder.add(first, y, last + 1, y + 1);
    };
    for (int i = 0; i < upperRows; ++i)
        addRow(b.top + i, lastColumn[std::size_t(i)]);
    for (int i = b.height() / 2 - 1; i >= 0; --i)
        addRow(b.bottom - 1 - i, lastColumn[std::size_t(i)]);
    return builder.finish();
}

} // namespace kalvo
