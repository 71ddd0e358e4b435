#include "imaging/effects/FloatingPixels.h"

#include "image/PaintBitmap.h"

#include <algorithm>

namespace kalvo {

TBitmap MoveSelectedPixels(const TBitmap& image, const TRegion& region, int dx, int dy, bool copy, TColor background)
{
    TBitmap result = image;
    if (!copy)
        FillRegion(result, region, background);
    TRegion moved = region;
    moved.offset(dx, dy);
    CopyBitmapClipped(result, image, dx, dy, moved);
    return result;
}

bool MergeFloating(TBitmap& target, const TRegionRef& selection, const TBitmap& picture, int alpha, int fy, int fx,
                   const TRegionRef& pasteRegion)
{
    if (target.empty() || picture.empty())
        return true;
    if (target.bitCount() != 24)
        target = target.toTrueColor();
    const TBitmap top = picture.bitCount() == 24 ? picture : picture.toTrueColor();
    const int a = std::clamp(alpha, 0, 100);

    TRegion area = pasteRegion ? *pasteRegion : TRegion::rect({0, 0, top.width(), top.height()});
    area.offset(fx, fy);
    if (selection)
        TRegion::combine(area, area, *selection, RGN_AND);
    TRegion::combine(area, area, TRegion::rect({0, 0, target.width(), target.height()}), RGN_AND);

    // Only pixels that reach the target are blended; the others would be discarded anyway.
    for (const pixman_box32_t& b : area.boxes()) {
        const int left = std::max(b.x1, fx), right = std::min(b.x2, fx + top.width());
        const int bottom = std::min(b.y2, fy + top.height());
        if (left >= right)
            continue;
        for (int y = std::max(b.y1, fy); y < bottom; ++y) {
            std::uint8_t* out = target.scanLine(y) + std::size_t(left) * 3;
            const std::uint8_t* in = top.scanLine(y - fy) + std::size_t(left - fx) * 3;
            const int n = (right - left) * 3;
            for (int i = 0; i < n; ++i)
                out[i] = std::uint8_t((a * out[i] + (100 - a) * in[i]) / 100);
        }
    }
    return true;
}

} // namespace kalvo
