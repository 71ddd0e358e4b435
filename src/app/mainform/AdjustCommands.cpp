// The handlers of the photo adjustments of the Effects menu (their entries are in the command
// registry, CommandTable.cpp): brightness and contrast, hue and saturation, levels, blur and
// sharpen through their preview dialogs, and grayscale without one. Each works inside the selection (a feathered one
// weighted as the negative is) or on the whole picture, as one undo step named after the command.
#include "app/mainform/AdjustCommands.h"

#include "app/dialogs/AdjustDialogs.h"
#include "app/dialogs/LevelsDialog.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "imaging/adjust/Grayscale.h"
#include "imaging/raster/SelectionRows.h"

#include <memory>

namespace kalvo {

namespace {

// Runs an adjustment dialog of type Dialog on the canvas and, after OK, its adjustment on the
// picture inside the selection with undo step `undo`.
template <typename Dialog>
void RunAdjustDialog(TKalvoMainForm& form, const QString& undo)
{
    if (!form.Canvas()->HasImage() || !form.RequireTrueColor())
        return;
    Dialog dialog(*form.Canvas(), &form);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const TBitmap* mask = form.Canvas()->SelectionMask() ? &*form.Canvas()->SelectionMask() : nullptr;
    RunImageCommand(form, undo, icProgress | icDestination, [&](TImageCommandInput& in) -> std::optional<TBitmap> {
        const bool done = WithSelection(*in.Source, in.Region, mask,
                                        [&](const std::optional<QRect>& area, const TBitmap* m) {
                                            return dialog.Apply(*in.Source, in.Image, area, m, in.Progress);
                                        });
        if (!done)
            return std::nullopt;
        return std::move(in.Image);
    });
}

} // namespace

void RunBrightnessContrast(TKalvoMainForm& form)
{
    RunAdjustDialog<TKVfrmBrightnessContrast>(form, QStringLiteral("明るさ・コントラスト"));
}

void RunHueSaturation(TKalvoMainForm& form)
{
    RunAdjustDialog<TKVfrmHueSaturation>(form, QStringLiteral("色相・彩度"));
}

void RunLevels(TKalvoMainForm& form)
{
    RunAdjustDialog<TKVfrmLevels>(form, QStringLiteral("レベル補正"));
}

void RunGaussianBlur(TKalvoMainForm& form)
{
    RunAdjustDialog<TKVfrmGaussianBlur>(form, QStringLiteral("ぼかし"));
}

void RunSharpen(TKalvoMainForm& form)
{
    RunAdjustDialog<TKVfrmSharpen>(form, QStringLiteral("シャープ"));
}

void RunGrayscale(TKalvoMainForm& form)
{
    if (!form.Canvas()->HasImage() || !form.RequireTrueColor())
        return;
    const TBitmap* mask = form.Canvas()->SelectionMask() ? &*form.Canvas()->SelectionMask() : nullptr;
    RunImageCommand(form, QStringLiteral("グレースケール"), icProgress | icDestination,
                    [mask](TImageCommandInput& in) -> std::optional<TBitmap> {
                        if (!Grayscale(*in.Source, in.Image, in.Region, mask, in.Progress))
                            return std::nullopt;
                        return std::move(in.Image);
                    });
}

} // namespace kalvo
