// The effects of the main window: negative, clear, feathering of the selection border and the
// drop shadow.
#include "app/dialogs/DropShadowDialog.h"
#include "app/dialogs/InputNumber.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "image/PaintBitmap.h"
#include "imaging/effects/ClearSelection.h"
#include "imaging/effects/NegativeImage.h"

#include <QAction>

#include <cstdint>

namespace kalvo {

void TKalvoMainForm::acNegativeImageExecute()
{
    if (!pxImage1->HasImage() || !RequireTrueColor())
        return;
    // Without a mask the region itself selects (the same result as a mask made from it, without
    // making one).
    const TBitmap* mask = pxImage1->SelectionMask() ? &*pxImage1->SelectionMask() : nullptr;
    RunImageCommand(*this, QStringLiteral("反転"), icProgress | icDestination,
                    [mask](TImageCommandInput& in) -> std::optional<TBitmap> {
                        if (!NegativeImageInto(*in.Source, in.Image, in.Region, mask, in.Progress))
                            return std::nullopt;
                        return std::move(in.Image);
                    });
}

void TKalvoMainForm::acClearExecute()
{
    if (!pxImage1->Region() || !pxImage1->HasImage())
        return;
    const TColor background = pxImage1->BackgroundColor();
    const TBitmap* mask = pxImage1->SelectionMask() ? &*pxImage1->SelectionMask() : nullptr;
    const TBitmap& picture = pxImage1->Bitmap();
    const QRect area = ClearedArea(picture, pxImage1->Region(), mask);
    // A selection whose box covers at most half the picture is cleared in place: the undo step
    // copies that box only and no picture-sized buffer is taken. A larger one is cleared into a
    // new picture (every pixel written once) and the undo step takes the old picture over.
    if (2 * std::int64_t(area.width()) * area.height() <= std::int64_t(picture.width()) * picture.height()) {
        // A colour the picture cannot hold (a palette without entries) records nothing.
        if (!(mask && picture.bitCount() == 24) && StoredValueOf(picture, background) < 0)
            return;
        TBusyScope busy(*this);
        PushUndoArea(QStringLiteral("クリア"), kUndoImage, area);
        ClearSelectionInPlace(pxImage1->PaintBitmap(), pxImage1->Region(), mask, background);
        pxImage1->BitmapPixelsChanged(area);
        UpdateImageActions();
        return;
    }
    RunImageCommand(*this, QStringLiteral("クリア"), icReadOnly,
                    [&](TImageCommandInput& in) { return ClearSelection(*in.Source, in.Region, mask, background); });
}

void TKalvoMainForm::acObscureRegionExecute()
{
    if (!pxImage1->Region() || pxImage1->BitCount() != 24)
        return;
    int pixels = ReadIniInteger(QStringLiteral("EFFECT"), QStringLiteral("ObscureRegion"), 5);
    if (!InputNumber(QStringLiteral("境界をぼかす"), QStringLiteral("ピクセルの数(1～100)"), pixels, 100, 1))
        return;
    {
        TUpdateLockGuard lock(*pxImage1);
        pxImage1->ObscureRegion(pixels);
    }
    WriteIniInteger(QStringLiteral("EFFECT"), QStringLiteral("ObscureRegion"), pixels);
    UpdateRegionActions();
}

void TKalvoMainForm::acDropShadowExecute()
{
    if (!pxImage1->Region())
        return;
    TKVfrmDropShadow dialog(*pxImage1, this);
    if (dialog.exec() != QDialog::Accepted || !RequireTrueColor())
        return;
    const TDropShadowParams p = dialog.Params();
    TBusyScope busy(*this);
    TProgressScope progress(*this);
    // Computed first: the undo step then takes the replaced picture, and a failure (no memory)
    // records nothing and changes nothing.
    std::optional<TBitmap> result = pxImage1->ShadowedImage(p.OffsetX, p.OffsetY, p.Obscure, p.AlphaChannel, p.Color,
                                                            progress.Callback());
    if (result)
        ReplaceImageRecording(*this, QStringLiteral("影をつける"), std::move(*result));
    UpdateImageActions();
}

} // namespace kalvo
