// Effects the canvas applies to its own image and selection: the drop shadow and the feathering
// of the selection border.
#include "canvas/PxImage.h"
#include "imaging/effects/DropShadow.h"
#include "imaging/effects/ObscureSelection.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

bool TpxImage::DropShadow(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                          const TProgressCallback& progress)
{
    if (!HasImage() || !Region() || BitCount() <= 8)
        return false;
    const bool madeMask = !SelectionMask();
    EnsureSelectionMask();
    TDropShadowParams params;
    params.OffsetX = offsetX;
    params.OffsetY = offsetY;
    params.Obscure = obscure;
    params.AlphaChannel = alpha;
    params.Color = colour;
    std::optional<TBitmap> result;
    try {
        result = kalvo::DropShadow(Bitmap(), *SelectionMask(), Outline(), params, progress);
    } catch (...) {
        if (madeMask)
            DropSelectionMask();
        throw;
    }
    if (madeMask)
        DropSelectionMask();
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

} // namespace kalvo
