// Moving the selection and floating pixels: the outline offset kept on the image, the pixel
// move's and the floating paste's Apply and Cancel.
#include "canvas/MoveLimit.h"
#include "canvas/PxImage.h"
#include "canvas/tools/MergeTool.h"
#include "canvas/tools/MoveSelectAreaTool.h"
#include "image/PaintBitmap.h"
#include "image/ImageErrors.h"
#include "image/Palette.h"
#include "image/RegionConvert.h"
#include "imaging/effects/FloatingPixels.h"

#include <cstring>

namespace kalvo {

namespace {

// A new all-255 mask of the same size with the old one drawn at (dx, dy).
TBitmap shiftedMask(const TBitmap& mask, int dx, int dy)
{
    TBitmap moved(mask.width(), mask.height(), 8);
    moved.setPalette(mask.palette().empty() ? CreateGreyPalette() : mask.palette());
    std::memset(moved.bits(), 255, moved.byteSize());
    CopyBitmapClipped(moved, mask, dx, dy, std::nullopt);
    return moved;
}

} // namespace

void TpxImage::LockUpdates(bool on)
{
    if (on)
        BeginUpdateLock();
    else if (FUpdateLock > 0)
        EndUpdateLock();
}

void TpxImage::MoveSelection(int dx, int dy)
{
    if (!HasImage())
        return;
    if (FSelectionMask)
        FSelectionMask = shiftedMask(*FSelectionMask, dx, dy);
    if (FRegion)
        FRegion->offset(dx, dy);
    RebuildOutline();
}

void TpxImage::CommitOutlineMove(int dx, int dy)
{
    emit OnMoveRegion(dx, dy);
    MoveSelection(dx, dy);
    emit OnRegionChanged();
}

void TpxImage::MoveRegionBy(int dx, int dy)
{
    if (!HasImage() || !FRegion)
        return;
    const QPoint d = LimitMoveOffset({dx, dy}, FRegion->boundingRect(), FBitmap.width(), FBitmap.height());
    if (d == QPoint(0, 0))
        return;
    CommitOutlineMove(d.x(), d.y());
}

QPoint TpxImage::FloatPosition() const
{
    if (FMouseMode == mmMoveSelectArea)
        return static_cast<const TMoveSelectAreaTool&>(*FTool).FloatOffset();
    if (FMouseMode == mmMerge)
        return static_cast<const TMergeTool&>(*FTool).FloatOffset();
    return {};
}

void TpxImage::PasteMerge(const TBitmap& picture, const TRegionRef& region)
{
    if (FMouseMode == mmMerge || !HasImage() || picture.empty())
        return;
    SetMouseMode(mmMerge);
    static_cast<TMergeTool&>(*FTool).SetPicture(picture, region);
}

void TpxImage::ApplyOperation()
{
    if (FMouseMode == mmMoveSelectArea) {
        auto& tool = static_cast<TMoveSelectAreaTool&>(*FTool);
        const QPoint d = tool.FloatOffset();
        if (d == QPoint(0, 0))
            return;
        if (!FRegion) {
            tool.Abandon();
            return;
        }
        emit OnMovingSelectArea();
        TBitmap moved =
            MoveSelectedPixels(FBitmap, *FRegion, d.x(), d.y(), tool.CopyMode(), FDisplayBackgroundColor);
        tool.Abandon();
        SetBitmap(std::move(moved));
        // The moved selection keeps only what lies on the image.
        std::optional<TBitmap> mask;
        TRegionRef region;
        if (FSelectionMask) {
            mask = shiftedMask(*FSelectionMask, d.x(), d.y());
            region = MaskToRegion(*mask);
            if (!region)
                throw EPxImageError("PxImage.ObscureRegion: Can not create region.");
        } else {
            TRegion shifted = *FRegion;
            shifted.offset(d.x(), d.y());
            IntersectRegionWithRect(region, shifted, ImageRect());
        }
        if (!region || region->isEmpty()) {
            // Moved wholly off the image: the selection is gone and the move has nothing left.
            RemoveSelection(false);
            emit OnMovedSelectArea();
            SetMouseMode(mmSelectRect);
            return;
        }
        InstallSelection(std::move(region), std::move(mask));
        emit OnRegionChanged();
        emit OnMovedSelectArea();
        return;
    }
    if (FMouseMode == mmMerge) {
        auto& tool = static_cast<TMergeTool&>(*FTool);
        try {
            if (!tool.FloatPicture().empty()) {
                TBitmap merged = FBitmap;
                const QPoint f = tool.FloatOffset();
                if (MergeFloating(merged, FRegion, tool.FloatPicture(), MergeAlphaChannel(), f.y(), f.x(),
                                  tool.PasteRegion())) {
                    emit OnMerge();
                    SetBitmap(std::move(merged));
                }
            }
        } catch (...) {
            SetMouseMode(FPreviousMouseMode);
            throw;
        }
        tool.SetFloatOffset({});
        SetMouseMode(FPreviousMouseMode);
    }
}

void TpxImage::CancelOperation()
{
    if (FMouseMode == mmMoveSelectArea)
        static_cast<TMoveSelectAreaTool&>(*FTool).Abandon();
    else if (FMouseMode == mmMerge)
        SetMouseMode(FPreviousMouseMode);
}

} // namespace kalvo
