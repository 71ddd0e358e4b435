// The selection the view shows: the document's region, mask and outline (document/Document.h)
// with the zoomed outline and the ants, and the commands that replace, remove, select all and
// invert it. Every change raises OnRegionChanged after it is complete, so that listeners see the
// new selection.
#include "canvas/PxImage.h"

namespace kalvo {

void TpxImage::InstallSelection(TRegionRef region, std::optional<TBitmap> mask)
{
    TUpdateLockGuard lock(*this);
    FDocument.InstallSelection(std::move(region), std::move(mask));
    if (FMouseMode == mmBrush)
        EnsureSelectionMask();
    FAntsPhase = 0;
    if (FShowRegion && Region())
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
    InstallSelection(FDocument.ClippedToImage(value), std::nullopt);
    emit OnRegionChanged();
}

void TpxImage::DeleteSelection()
{
    RemoveSelection(true);
}

void TpxImage::RemoveSelection(bool raiseBefore)
{
    if (!HasImage() || !Region())
        return;
    {
        TUpdateLockGuard lock(*this);
        FAntsTimer.stop();
        if (raiseBefore)
            emit OnRegionChange();
        FDocument.RemoveSelection();
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
    InstallSelection(TRegion::rect(FDocument.ImageRect()), std::nullopt);
    emit OnRegionChanged();
}

void TpxImage::InvertSelection()
{
    if (!HasImage())
        return;
    emit OnRegionChange();
    // The brush's own mask (made without a selection) is no selection to invert.
    TSelection inverted = FDocument.Inverted(FMouseMode == mmBrush && !Region());
    InstallSelection(std::move(inverted.region), std::move(inverted.mask));
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
    if (!FDocument.CombineChanges(*created, combineMode))
        return Region() ? RegionComplexity() : 0;
    emit OnRegionChange();
    TSelection combined = FDocument.Combined(created, combineMode);
    if (combined.region->isEmpty()) {
        RemoveSelection(false);
        return 0;
    }
    InstallSelection(std::move(combined.region), std::move(combined.mask));
    emit OnRegionChanged();
    return RegionComplexity();
}

void TpxImage::SetSelectionMask(const std::optional<TBitmap>& mask)
{
    if (!HasImage())
        return;
    {
        TUpdateLockGuard lock(*this);
        FDocument.SetMaskFromPicture(mask);
    }
    if (FMouseMode == mmBrush)
        EnsureSelectionMask();
    viewport()->update();
    emit OnRegionChanged();
}

void TpxImage::RebuildOutline()
{
    TUpdateLockGuard lock(*this);
    FDocument.RebuildOutline();
}

void TpxImage::ScaleOutline()
{
    const TRect box = Region() ? Region()->boundingRect() : TRect{};
    FZoomedOutline = kalvo::ScaleOutline(Outline(), box, FView.Zoom);
}

} // namespace kalvo
