// Effects the canvas applies to its own image and selection: the drop shadow and the feathering
// of the selection border.
#include "canvas/PxImage.h"
#include "imaging/effects/DropShadow.h"
#include "imaging/effects/ObscureSelection.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

std::optional<TBitmap> TpxImage::ShadowedImage(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                                               const std::function<void(int)>& progress) const
{
    if (!HasImage() || !FRegion || FBitmap.bitCount() <= 8)
        return std::nullopt;
    // A mask made from the region only for the shadow is not kept.
    std::optional<TBitmap> made;
    if (!FSelectionMask)
        made = CreateSelectionMask();
    TDropShadowParams params;
    params.OffsetX = offsetX;
    params.OffsetY = offsetY;
    params.Obscure = obscure;
    params.AlphaChannel = alpha;
    params.Color = colour;
    return kalvo::DropShadow(FBitmap, FSelectionMask ? *FSelectionMask : *made, FOutline, params, progress);
}

bool TpxImage::DropShadow(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                          const std::function<void(int)>& progress)
{
    std::optional<TBitmap> result = ShadowedImage(offsetX, offsetY, obscure, alpha, colour, progress);
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

void TpxImage::PatchBitmap(const TBitmap& patch, QPoint at)
{
    if (patch.bitCount() != FBitmap.bitCount() || patch.bitCount() < 8)
        return;
    const int bytes = patch.bitCount() / 8;
    const int left = std::max(at.x(), 0);
    const int right = std::min(at.x() + patch.width(), FBitmap.width());
    if (left >= right)
        return;
    for (int y = std::max(at.y(), 0); y < std::min(at.y() + patch.height(), FBitmap.height()); ++y)
        std::memcpy(FBitmap.scanLine(y) + std::size_t(left) * bytes,
                    patch.scanLine(y - at.y()) + std::size_t(left - at.x()) * bytes, std::size_t(right - left) * bytes);
    ImageChanged();
}

} // namespace kalvo
