// Effects the canvas applies to its own image and selection: the drop shadow and the feathering
// of the selection border.
#include "canvas/PxImage.h"
#include "imaging/effects/DropShadow.h"
#include "imaging/effects/ObscureSelection.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

std::optional<TBitmap> TpxImage::ShadowedImage(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                                               const TProgressCallback& progress) const
{
    if (!HasImage() || !Region() || BitCount() <= 8)
        return std::nullopt;
    // A mask made from the region only for the shadow is not kept.
    std::optional<TBitmap> made;
    if (!SelectionMask())
        made = CreateSelectionMask();
    TDropShadowParams params;
    params.OffsetX = offsetX;
    params.OffsetY = offsetY;
    params.Obscure = obscure;
    params.AlphaChannel = alpha;
    params.Color = colour;
    return kalvo::DropShadow(Bitmap(), SelectionMask() ? *SelectionMask() : *made, Outline(), params, progress);
}

bool TpxImage::DropShadow(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                          const TProgressCallback& progress)
{
    std::optional<TBitmap> result = ShadowedImage(offsetX, offsetY, obscure, alpha, colour, progress);
    if (!result)
        return false;
    FDocument.Pixels() = std::move(*result);
    ImageChanged();
    return true;
}

void TpxImage::ObscureRegion(int pixels)
{
    if (!HasImage() || !Region() || BitCount() <= 8)
        return;
    emit OnRegionChange();
    EnsureSelectionMask();
    TObscuredSelection feathered = ObscureSelection(*SelectionMask(), Outline(), pixels);
    // The region first (it drops the mask), then the mask drawn over it.
    SetRegion(TRegionRef(std::move(feathered.Region)));
    SetSelectionMask(std::move(feathered.Mask));
}

void TpxImage::PatchBitmap(const TBitmap& patch, QPoint at)
{
    if (patch.bitCount() != Bitmap().bitCount() || patch.bitCount() < 8)
        return;
    const int bytes = patch.bitCount() / 8;
    const int left = std::max(at.x(), 0);
    const int right = std::min(at.x() + patch.width(), Bitmap().width());
    if (left >= right)
        return;
    for (int y = std::max(at.y(), 0); y < std::min(at.y() + patch.height(), Bitmap().height()); ++y)
        std::memcpy(FDocument.Pixels().scanLine(y) + std::size_t(left) * bytes,
                    patch.scanLine(y - at.y()) + std::size_t(left - at.x()) * bytes, std::size_t(right - left) * bytes);
    ImageChanged();
}

void TpxImage::SetOverlay(TBitmap patch, QPoint at)
{
    FOverlay = std::move(patch);
    FOverlayAt = at;
    Invalidate();
}

void TpxImage::ClearOverlay()
{
    FOverlay.reset();
    Invalidate();
}

} // namespace kalvo
