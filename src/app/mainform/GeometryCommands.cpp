#include "app/mainform/GeometryCommands.h"

#include "app/dialogs/CanvasSizeDialog.h"
#include "app/dialogs/RotateAngleDialog.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "imaging/geometry/CanvasSize.h"
#include "imaging/geometry/OrientBitmap.h"
#include "imaging/geometry/RotateByAngle.h"

#include <QSignalBlocker>

namespace kalvo {

namespace {

// Puts result into the canvas as the step `undo`, which keeps the old picture and selection;
// region (and mask) become the new selection, or there is none.
void ReplacePicture(TKalvoMainForm& form, const QString& undo, TBitmap&& result, const TRegionRef& region = {},
                    const std::optional<TBitmap>& mask = {})
{
    TpxImage& canvas = *form.Canvas();
    TUpdateLockGuard lock(canvas);
    TBitmap previous = canvas.ExchangeBitmap(std::move(result));
    try {
        form.PushUndoTaking(undo, TKalvoMainForm::kUndoImageAndRegion, previous);
    } catch (...) {
        canvas.ExchangeBitmap(std::move(previous));
        throw;
    }
    const bool hadSelection = canvas.Region().has_value();
    {
        // The new selection (or none) belongs to this step, not to one of its own.
        const QSignalBlocker quiet(&canvas);
        if (region) {
            canvas.SetRegion(region);
            if (mask)
                canvas.SetSelectionMask(mask);
        } else {
            canvas.DeleteSelection();
        }
    }
    if (hadSelection && !region)
        emit canvas.OnRegionDeleted();
    emit canvas.OnRegionChanged();
    form.UpdateImageActions();
}

void Orient(TKalvoMainForm& form, const QString& undo, TOrientation orientation)
{
    if (!form.Canvas()->HasImage())
        return;
    TBusyScope busy(form);
    ReplacePicture(form, undo, OrientBitmap(form.Canvas()->Bitmap(), orientation));
}

} // namespace

void RunCrop(TKalvoMainForm& form)
{
    TpxImage& canvas = *form.Canvas();
    const TRegionRef& region = canvas.Region();
    if (!canvas.HasImage() || !region)
        return;
    const TRect bounds = region->boundingRect();
    const QRect box = QRect(bounds.left, bounds.top, bounds.width(), bounds.height())
        & QRect(0, 0, canvas.Bitmap().width(), canvas.Bitmap().height());
    if (box.isEmpty())
        return;
    TBusyScope busy(form);
    // The outline stays on the same pixels: the selection moves with the picture.
    TRegionRef moved = region;
    moved->offset(-box.left(), -box.top());
    std::optional<TBitmap> mask;
    if (canvas.SelectionMask())
        mask = CropBitmap(*canvas.SelectionMask(), box);
    ReplacePicture(form, QStringLiteral("切り抜き"), CropBitmap(canvas.Bitmap(), box), moved, mask);
}

void RunRotateByAngle(TKalvoMainForm& form)
{
    TpxImage& canvas = *form.Canvas();
    if (!canvas.HasImage())
        return;
    TKVfrmRotateAngle dialog(&form);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int tenths = dialog.AngleTenths();
    int width = 0, height = 0;
    RotatedSize(canvas.Bitmap().width(), canvas.Bitmap().height(), tenths, width, height);
    // Quarter turns stay exact at any depth; other angles resample in full colour.
    const bool exact = IsQuarterTurn(tenths);
    if (tenths % 3600 == 0 || (!exact && (!PictureSizeAllowed(width, height, 24) || !form.RequireTrueColor())))
        return;
    TBusyScope busy(form);
    TProgressScope progress(form);
    ReplacePicture(form, QStringLiteral("角度を指定して回転"),
                   RotateByAngle(canvas.Bitmap(), tenths, canvas.BackgroundColor(), progress.Callback()));
}

void RunCanvasSize(TKalvoMainForm& form)
{
    TpxImage& canvas = *form.Canvas();
    if (!canvas.HasImage())
        return;
    const TBitmap& image = canvas.Bitmap();
    TKVfrmCanvasSize dialog(image.width(), image.height(), canvas.BackgroundColor(), &form);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int width = dialog.NewWidth(), height = dialog.NewHeight();
    if ((width == image.width() && height == image.height()) || !PictureSizeAllowed(width, height, image.bitCount()))
        return;
    TBusyScope busy(form);
    ReplacePicture(form, QStringLiteral("キャンバスサイズ"),
                   ResizeCanvas(image, width, height, dialog.Anchor(), dialog.FillColor()));
}

void RunRotateRight(TKalvoMainForm& form)
{
    Orient(form, QStringLiteral("右へ90度回転"), TOrientation::Rotate90);
}
void RunRotateLeft(TKalvoMainForm& form)
{
    Orient(form, QStringLiteral("左へ90度回転"), TOrientation::Rotate270);
}
void RunRotate180(TKalvoMainForm& form)
{
    Orient(form, QStringLiteral("180度回転"), TOrientation::Rotate180);
}
void RunFlipHorizontal(TKalvoMainForm& form)
{
    Orient(form, QStringLiteral("左右反転"), TOrientation::FlipHorizontal);
}
void RunFlipVertical(TKalvoMainForm& form)
{
    Orient(form, QStringLiteral("上下反転"), TOrientation::FlipVertical);
}

} // namespace kalvo
