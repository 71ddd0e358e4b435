#include "app/mainform/ImageCommand.h"

#include "app/dialogs/MessageService.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "image/RegionConvert.h"

namespace kalvo {

TBusyScope::TBusyScope(TKalvoMainForm& form) : FForm(form)
{
    FForm.BeginBusySection();
}

TBusyScope::~TBusyScope()
{
    FForm.EndBusySection();
}

TProgressScope::TProgressScope(TKalvoMainForm& form) : FForm(form)
{
    FForm.ShowProgress(100);
}

TProgressScope::~TProgressScope()
{
    FForm.HideProgress();
}

TProgressCallback TProgressScope::Callback() const
{
    TKalvoMainForm* form = &FForm;
    return [form](int position) { form->ProgressCallback(nullptr, 0, position); };
}

bool PictureSizeAllowed(int width, int height, int bitCount)
{
    if (TBitmap::fitsBounds(width, height, bitCount))
        return true;
    ShowMessageBox(QStringLiteral("%1 x %2 ピクセルのイメージは大きすぎて作成できません．").arg(width).arg(height),
                   MB_ICONERROR);
    return false;
}

void ReplaceImageRecording(TKalvoMainForm& form, const QString& undo, TBitmap&& result)
{
    TpxImage& canvas = *form.Canvas();
    TBitmap previous = canvas.ExchangeBitmap(std::move(result));
    if (previous.empty())
        return;
    try {
        form.PushUndoChange(undo, TKalvoMainForm::kUndoImage, previous);
    } catch (...) {
        canvas.ExchangeBitmap(std::move(previous));
        throw;
    }
}

void ApplyImageResult(TKalvoMainForm& form, const QString& undo, TBitmap&& result)
{
    ReplaceImageRecording(form, undo, std::move(result));
    form.UpdateImageActions();
}

bool RunImageCommand(TKalvoMainForm& form, const QString& undo, unsigned flags, const TImageComputation& compute)
{
    TpxImage& canvas = *form.Canvas();
    if (!canvas.HasImage())
        return false;
    std::optional<TBitmap> result;
    {
        TBusyScope busy(form);
        TImageCommandInput input;
        const TBitmap& image = canvas.Bitmap();
        input.Source = &image;
        if (flags & icDestination)
            input.Image = TBitmap::sameLayout(image);
        else if (!(flags & icReadOnly))
            input.Image = image;
        input.Region = canvas.Region();
        if (flags & icMask)
            input.Mask = canvas.SelectionMask() ? *canvas.SelectionMask()
                                                : RegionToMask(canvas.Region(), image.width(), image.height());
        std::optional<TProgressScope> progress;
        if (flags & icProgress) {
            progress.emplace(form);
            input.Progress = progress->Callback();
        }
        result = compute(input);
        if (result)
            ApplyImageResult(form, undo, std::move(*result));
    }
    return result.has_value();
}

} // namespace kalvo
