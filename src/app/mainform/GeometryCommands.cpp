#include "app/mainform/GeometryCommands.h"

#include "app/commands/ActionHint.h"
#include "app/dialogs/CanvasSizeDialog.h"
#include "app/dialogs/RotateAngleDialog.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "imaging/geometry/CanvasSize.h"
#include "imaging/geometry/OrientBitmap.h"
#include "imaging/geometry/RotateByAngle.h"

#include <QAction>
#include <QSignalBlocker>

#include <functional>

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

void Crop(TKalvoMainForm& form)
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

void Orient(TKalvoMainForm& form, const QString& undo, TOrientation orientation)
{
    if (!form.Canvas()->HasImage())
        return;
    TBusyScope busy(form);
    ReplacePicture(form, undo, OrientBitmap(form.Canvas()->Bitmap(), orientation));
}

void RotateFreely(TKalvoMainForm& form)
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

void ChangeCanvasSize(TKalvoMainForm& form)
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

void AddCommand(TKalvoMainForm& form, const char* name, const char* caption, const char* hint,
                const QKeySequence& shortcut, std::function<void()> handler)
{
    auto* action = new QAction(QString::fromUtf8(caption), &form);
    action->setObjectName(QLatin1String(name));
    ApplyHint(action, QString::fromUtf8(hint));
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, &form,
                     [&form, handler = std::move(handler)] { form.RunCommand(handler); });
}

struct TTurnCommand {
    const char* name;
    const char* caption;
    const char* hint;
    TOrientation orientation;
};

constexpr TTurnCommand kTurns[] = {
    {"acRotateRight", "右へ90度回転(&R)", "右へ90度回転|イメージを時計回りに90度回転します", TOrientation::Rotate90},
    {"acRotateLeft", "左へ90度回転(&L)", "左へ90度回転|イメージを反時計回りに90度回転します", TOrientation::Rotate270},
    {"acRotate180", "180度回転(&1)", "180度回転|イメージを180度回転します", TOrientation::Rotate180},
    {"acFlipHorizontal", "左右反転(&H)", "左右反転|イメージの左右を入れ替えます", TOrientation::FlipHorizontal},
    {"acFlipVertical", "上下反転(&V)", "上下反転|イメージの上下を入れ替えます", TOrientation::FlipVertical},
};

} // namespace

void CreateGeometryActions(TKalvoMainForm& form)
{
    AddCommand(form, "acCrop", "切り抜き(&C)", "切り抜き|選択範囲を囲む四角形でイメージを切り抜きます",
               QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_X), [&form] { Crop(form); });
    for (const TTurnCommand& turn : kTurns)
        AddCommand(form, turn.name, turn.caption, turn.hint, QKeySequence(), [&form, &turn] {
            Orient(form, PlainCaption(QString::fromUtf8(turn.caption)), turn.orientation);
        });
    AddCommand(form, "acRotateAngle", "角度を指定して回転(&A)...", "角度を指定して回転|イメージを指定した角度だけ回転します",
               QKeySequence(), [&form] { RotateFreely(form); });
    AddCommand(form, "acCanvasSize", "キャンバスサイズ(&V)...", "キャンバスサイズ|イメージの周りを切り取ったり広げたりします",
               QKeySequence(), [&form] { ChangeCanvasSize(form); });
}

} // namespace kalvo
