#include "imaging/effects/DropShadowArea.h"

#include "image/ImageErrors.h"
#include "image/Outline.h"
#include "image/RectOps.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kalvo {

std::optional<TBitmap> DropShadowArea(const TBitmap& image, const TBitmap& mask, const TDropShadowParams& params,
                                      const QRect& area)
{
    const QRect bounds(0, 0, image.width(), image.height());
    const QRect target = IntersectRects(area, bounds);
    if (target.isEmpty() || image.bitCount() != 24 || mask.bitCount() != 8 || mask.width() != image.width()
        || mask.height() != image.height())
        return std::nullopt;
    // The shadow at a pixel depends on the mask within the offset plus one and a half blur
    // tips of it; the crop's edges (traced as outline) stay beyond that.
    const int blur = std::clamp(params.Obscure, 0, 100) + 1;
    const int marginX = std::abs(params.OffsetX) + 2 * blur + 2;
    const int marginY = std::abs(params.OffsetY) + 2 * blur + 2;
    const QRect crop = IntersectRects(target.adjusted(-marginX, -marginY, marginX, marginY), bounds);
    const TBitmap cropMask = CropBitmap(mask, crop);
    TPoints outline;
    Bitmap8ToPoints(&cropMask, outline);
    std::optional<TBitmap> shadowed = DropShadow(CropBitmap(image, crop), cropMask, outline, params);
    if (!shadowed)
        return std::nullopt;
    return CropBitmap(*shadowed, target.translated(-crop.topLeft()));
}

} // namespace kalvo
