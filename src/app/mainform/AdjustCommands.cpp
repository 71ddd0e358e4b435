// The photo adjustments of the Effects menu, kept together as one table of commands: brightness
// and contrast, hue and saturation, levels, blur and sharpen through their preview dialogs, and
// grayscale without one. Each works inside the selection (a feathered one weighted as the
// negative is) or on the whole picture, as one undo step named after the command.
#include "app/mainform/AdjustCommands.h"

#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "app/dialogs/AdjustDialogs.h"
#include "app/dialogs/LevelsDialog.h"
#include "canvas/PxImage.h"
#include "imaging/adjust/Grayscale.h"
#include "imaging/raster/SelectionRows.h"

#include <QAction>

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
    RunImageCommand(form, undo, icProgress, [&](TImageCommandInput& in) -> std::optional<TBitmap> {
        const bool done = WithSelection(in.Image, in.Region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
            return dialog.Apply(in.Image, area, m, in.Progress);
        });
        if (!done)
            return std::nullopt;
        return std::move(in.Image);
    });
}

void RunGrayscale(TKalvoMainForm& form)
{
    if (!form.Canvas()->HasImage() || !form.RequireTrueColor())
        return;
    const TBitmap* mask = form.Canvas()->SelectionMask() ? &*form.Canvas()->SelectionMask() : nullptr;
    RunImageCommand(form, QStringLiteral("グレースケール"), icProgress, [mask](TImageCommandInput& in) -> std::optional<TBitmap> {
        if (!Grayscale(in.Image, in.Region, mask, in.Progress))
            return std::nullopt;
        return std::move(in.Image);
    });
}

struct TAdjustCommand {
    const char* name;
    const char* caption;
    void (*run)(TKalvoMainForm& form);
};

// The undo step of each is its caption without the mnemonic and the dots.
constexpr TAdjustCommand kAdjustCommands[] = {
    {"acBrightnessContrast", "明るさ・コントラスト(&B)...",
     [](TKalvoMainForm& f) { RunAdjustDialog<TKVfrmBrightnessContrast>(f, QStringLiteral("明るさ・コントラスト")); }},
    {"acHueSaturation", "色相・彩度(&H)...",
     [](TKalvoMainForm& f) { RunAdjustDialog<TKVfrmHueSaturation>(f, QStringLiteral("色相・彩度")); }},
    {"acLevels", "レベル補正(&L)...",
     [](TKalvoMainForm& f) { RunAdjustDialog<TKVfrmLevels>(f, QStringLiteral("レベル補正")); }},
    {"acGaussianBlur", "ぼかし(&G)...",
     [](TKalvoMainForm& f) { RunAdjustDialog<TKVfrmGaussianBlur>(f, QStringLiteral("ぼかし")); }},
    {"acSharpen", "シャープ(&U)...",
     [](TKalvoMainForm& f) { RunAdjustDialog<TKVfrmSharpen>(f, QStringLiteral("シャープ")); }},
    {"acGrayscale", "グレースケール(&R)", RunGrayscale},
};

} // namespace

void CreateAdjustCommands(TKalvoMainForm& form)
{
    for (const TAdjustCommand& c : kAdjustCommands) {
        auto* action = new QAction(QString::fromUtf8(c.caption), &form);
        action->setObjectName(QLatin1String(c.name));
        QObject::connect(action, &QAction::triggered, &form,
                         [&form, run = c.run] { form.RunCommand([&form, run] { run(form); }); });
    }
}

} // namespace kalvo
