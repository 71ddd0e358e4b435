// The selection state the view shows: region, mask and the outline traced from them, and the
// commands that replace, remove, select all and invert it. Every change raises OnRegionChanged
// after it is complete, so that listeners see the new selection.
#include "canvas/PxImage.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"

namespace kalvo {

TRect TpxImage::ImageRect() const
{
    return {0, 0, FBitmap.width(), FBitmap.height()};
}

void TpxImage::InstallSelection(TRegionRef region, std::optional<TBitmap> mask)
{
    // Trace first: when tracing fails the old selection stays as it was.
    TPoints outline;
    if (mask)
        Bitmap8ToPoints(&*mask, outline);
    else
        RegionToPoints(region, outline);
    TUpdateLockGuard lock(*this);
    FSelectionMask = std::move(mask);
    FRegion = std::move(region);
    if (outline.empty() || !FRegion || FRegion->isEmpty()) {
        FRegion.reset();
        FSelectionMask.reset();
        outline.clear();
    }
    FRegionComplexity = FRegion ? FRegion->complexity() : int(rcError);
    FOutline.swap(outline);
    ScaleOutline();
    if (FMouseMode == mmBrush)
        EnsureSelectionMask();
    FAntsPhase = 0;
    if (FShowRegion && FRegion)
        FAntsTimer.start();
    else
        FAntsTimer.stop();
    Invalidate();
}

void TpxImage::SetRegion(const TRegionRef& value)
{
    if (!HasImage())
        return;
    if (!value) {
        DeleteSelection();
        return;
    }
    TRegionRef clipped;
    IntersectRegionWithRect(clipped, value, ImageRect());
    InstallSelection(std::move(clipped), std::nullopt);
    emit OnRegionChanged();
}

void TpxImage::DeleteSelection()
{
    RemoveSelection(true);
}

void TpxImage::RemoveSelection(bool raiseBefore)
{
    if (!HasImage() || !FRegion)
        return;
    {
        TUpdateLockGuard lock(*this);
        FAntsTimer.stop();
        FRegionComplexity = 0;
        if (raiseBefore)
            emit OnRegionChange();
        FSelectionMask.reset();
        FRegion.reset();
        RebuildOutline();
        emit OnRegionDeleted();
        if (FMouseMode == mmBrush)
            EnsureSelectionMask();
    }
    emit OnRegionChanged();
}

void TpxImage::SelectAll()
{
    if (!HasImage())
        return;
    emit OnRegionChange();
    InstallSelection(TRegion::rect(ImageRect()), std::nullopt);
    emit OnRegionChanged();
}

void TpxImage::InvertSelection()
{
    if (!HasImage())
        return;
    emit OnRegionChange();
    const bool brushMask = FMouseMode == mmBrush && !FRegion;
    if (FSelectionMask && !brushMask) {
        TBitmap mask = *FSelectionMask;
        for (int y = 0; y < mask.height(); ++y) {
            std::uint8_t* row = mask.scanLine(y);
            for (int x = 0; x < mask.width(); ++x)
                row[x] = std::uint8_t(255 - row[x]);
        }
        TRegionRef region = MaskToRegion(mask);
        InstallSelection(std::move(region), std::move(mask));
    } else {
        TRegionRef region;
        XorRegionWithRect(region, FRegion ? FRegion : TRegionRef(TRegion()), ImageRect());
        InstallSelection(std::move(region), std::nullopt);
    }
    emit OnRegionChanged();
}

int TpxImage::CombineSelection(TRegionRef created, int combineMode)
{
    if (!HasImage())
        return 0;
    if (!created) {
        DeleteSelection();
        return 0;
    }
    // Adding or subtracting nothing, or replacing no selection by nothing, changes nothing.
    if (created->isEmpty() && (combineMode != RGN_COPY || !FRegion))
        return FRegion ? FRegionComplexity : 0;
    emit OnRegionChange();
    TRegionRef region = TRegion();
    std::optional<TBitmap> mask;
    const TRegion old = FRegion ? *FRegion : TRegion();
    if (combineMode == RGN_OR || combineMode == RGN_DIFF) {
        TRegion::combine(*region, old, *created, combineMode == RGN_OR ? TRegionOp::Or : TRegionOp::Diff);
        mask = FSelectionMask;
        if (mask)
            FillMaskRegion(*mask, *created, combineMode == RGN_OR ? 0 : 255);
    } else {
        region = created;
    }
    if (region->isEmpty()) {
        RemoveSelection(false);
        return 0;
    }
    InstallSelection(std::move(region), std::move(mask));
    emit OnRegionChanged();
    return FRegionComplexity;
}

void TpxImage::RebuildOutline()
{
    TUpdateLockGuard lock(*this);
    if (FSelectionMask && FRegion)
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
