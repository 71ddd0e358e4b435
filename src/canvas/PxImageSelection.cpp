// The selection state the view shows: region, mask and the outline traced from them.
#include "canvas/PxImage.h"
#include "image/Outline.h"

namespace kalvo {

void TpxImage::SetRegion(const TRegionRef& value)
{
    if (!HasImage())
        return;
    FSelectionMask.reset();
    if (!value) {
        DeleteSelection();
        return;
    }
    FRegion = *value;
    FRegionComplexity = FRegion->complexity();
    RebuildOutline();
    if (FShowRegion)
        FAntsTimer.start();
    else
        FAntsTimer.stop();
}

void TpxImage::DeleteSelection()
{
    if (!HasImage() || !FRegion)
        return;
    TUpdateLockGuard lock(*this);
    FAntsTimer.stop();
    FRegionComplexity = 0;
    emit OnRegionChange();
    FSelectionMask.reset();
    FRegion.reset();
    RebuildOutline();
    emit OnRegionDeleted();
}

void TpxImage::RebuildOutline()
{
    TUpdateLockGuard lock(*this);
    if (FSelectionMask)
        Bitmap8ToPoints(&*FSelectionMask, FOutline);
    else
        RegionToPoints(FRegion, FOutline);
    if (FOutline.empty())
        FRegion.reset();
    ScaleOutline();
    Invalidate();
}

void TpxImage::ScaleOutline()
{
    const TRect box = FRegion ? FRegion->boundingRect() : TRect{};
    FZoomedOutline = kalvo::ScaleOutline(FOutline, box, FView.Zoom);
}

} // namespace kalvo
