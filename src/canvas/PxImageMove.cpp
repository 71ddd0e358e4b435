// Moving the selection and floating pixels: the outline offset kept on the image, the pixel
// move's and the floating paste's Apply and Cancel.
#include "canvas/MoveLimit.h"
#include "canvas/PxImage.h"
#include "canvas/tools/MergeTool.h"
#include "canvas/tools/MoveSelectAreaTool.h"
#include "image/ImageErrors.h"
#include "image/PaintBitmap.h"
#include "image/Palette.h"
#include "image/PixelBox.h"
#include "image/RegionConvert.h"
#include "imaging/effects/FloatingPixels.h"

#include <cstring>

namespace kalvo {

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
    TUpdateLockGuard lock(*this);
    FDocument.MoveSelection(dx, dy);
}

void TpxImage::CommitOutlineMove(int dx, int dy)
{
    emit OnMoveRegion(dx, dy);
    MoveSelection(dx, dy);
    emit OnRegionChanged();
}

void TpxImage::MoveRegionBy(int dx, int dy)
{
    if (!HasImage() || !Region())
        return;
    const QPoint d = LimitMoveOffset({dx, dy}, Region()->boundingRect(), Bitmap().width(), Bitmap().height());
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
        if (!Region()) {
            tool.Abandon();
            return;
        }
        TBitmap moved = MoveSelectedPixels(Bitmap(), *Region(), d.x(), d.y(), tool.CopyMode(), FDisplayBackgroundColor);
        {
            TNoticeArea scope(*this, ChangedArea(Bitmap(), moved));
            emit OnMovingSelectArea();
        }
        tool.Abandon();
        SetBitmap(std::move(moved));
        // The moved selection keeps only what lies on the image.
        TSelection shifted = FDocument.Moved(d.x(), d.y());
        if (!shifted.region || shifted.region->isEmpty()) {
            // Moved wholly off the image: the selection is gone and the move has nothing left.
            RemoveSelection(false);
            SetMouseMode(mmSelectRect);
            return;
        }
        InstallSelection(std::move(shifted.region), std::move(shifted.mask));
        emit OnRegionChanged();
        return;
    }
    if (FMouseMode == mmMerge) {
        auto& tool = static_cast<TMergeTool&>(*FTool);
        try {
            if (!tool.FloatPicture().empty()) {
                TBitmap merged = Bitmap();
                const QPoint f = tool.FloatOffset();
                if (MergeFloating(merged, Region(), tool.FloatPicture(), MergeAlphaChannel(), f.y(), f.x(),
                                  tool.PasteRegion())) {
                    {
                        TNoticeArea scope(*this, ChangedArea(Bitmap(), merged));
                        emit OnMerge();
                    }
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
