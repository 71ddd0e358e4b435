// Effects the canvas applies to its own image and selection: the drop shadow and the feathering
// of the selection border.
#include "canvas/PxImage.h"
#include "imaging/effects/DropShadow.h"
#include "imaging/effects/ObscureSelection.h"

namespace kalvo {

void TpxImage::TakeBitmap(TBitmap&& bitmap)
{
    if (bitmap.bitCount() == 32) {
        SetBitmap(bitmap);
        return;
    }
    if (bitmap.width() != FBitmap.width() || bitmap.height() != FBitmap.height())
        FView.ScrollX = FView.ScrollY = 0;
    FReduced.Clear();
    FBitmap = std::move(bitmap);
    RecalcLayout();
    RecalcDisplayColors();
    ClampScroll();
    UpdateView();
    SetZoom(FView.Zoom);
}

bool TpxImage::DropShadow(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                          const std::function<void(int)>& progress)
{
    if (!HasImage() || !FRegion || FBitmap.bitCount() <= 8)
        return false;
    const bool madeMask = !FSelectionMask;
    EnsureSelectionMask();
    TDropShadowParams params;
    params.OffsetX = offsetX;
    params.OffsetY = offsetY;
    params.Obscure = obscure;
    params.AlphaChannel = alpha;
    params.Color = colour;
    std::optional<TBitmap> result;
    try {
        result = kalvo::DropShadow(FBitmap, *FSelectionMask, FOutline, params, progress);
    } catch (...) {
        if (madeMask)
            DropSelectionMask();
        throw;
    }
    if (madeMask)
        DropSelectionMask();
    if (!result)
        return false;
    FBitmap = std::move(*result);
    ImageChanged();
    return true;
}

void TpxImage::ObscureRegion(int pixels)
{
    if (!HasImage() || !FRegion || FBitmap.bitCount() <= 8)
        return;
    emit OnRegionChange();
    EnsureSelectionMask();
    TObscuredSelection feathered = ObscureSelection(*FSelectionMask, FOutline, pixels);
    // The region first (it drops the mask), then the mask drawn over it.
    SetRegion(TRegionRef(std::move(feathered.Region)));
    SetSelectionMask(std::move(feathered.Mask));
}

} // namespace kalvo
