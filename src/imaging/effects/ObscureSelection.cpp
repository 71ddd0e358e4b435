#include "imaging/effects/ObscureSelection.h"

#include "image/ImageErrors.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"
#include "imaging/raster/StrokeAndBlend.h"

namespace kalvo {

TObscuredSelection ObscureSelection(const TBitmap& mask, const TPoints& outline, int pixels)
{
    if (mask.bitCount() != 8)
        throw EPxImageError("PxImage.ObscureRegion: Can not create region.");
    TObscuredSelection result{mask, {}, {}};
    TpxPenBrush tip;
    BuildBrush(tip, 2 * pixels, 100, TpxBrushStyle::pxsRound);
    StrokeAndBlend(result.Mask, outline, true, 0, 255, tip);
    Bitmap8ToPoints(&result.Mask, result.Outline);
    BuildSoftBrush(tip, 2 * pixels, TpxBrushStyle::pxsRound);
    StrokeAndBlend(result.Mask, result.Outline, true, 0, 0, tip);
    Bitmap8ToPoints(&result.Mask, result.Outline);
    TRegionRef region = MaskToRegion(result.Mask);
    if (!region)
        throw EPxImageError("PxImage.ObscureRegion: Can not create region.");
    result.Region = std::move(*region);
    return result;
}

} // namespace kalvo
