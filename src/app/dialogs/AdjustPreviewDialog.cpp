#include "app/dialogs/AdjustPreviewDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "image/RegionConvert.h"
#include "imaging/effects/DropShadowArea.h"

#include <QLabel>
#include <QSlider>

#include <cmath>

namespace kalvo {

TKVfrmAdjustPreview::TKVfrmAdjustPreview(const TpxImage& source, const QString& title, const QString& section,
                                         QWidget* parent)
    : TKVfrmPreviewBase(parent), FSection(section), FSource(source)
{
    setWindowTitle(title);
    // A view of the canvas's picture, unchanged while this modal dialog is open: nothing is copied.
    // The adjusted part is shown over it (the overlay); the selection is not drawn.
    pxPreview->SetBitmap(TBitmap::view(source.Bitmap()));
    pxPreview->SetShowRegion(false);
    for (int i = 0; i < kFieldCount; ++i) {
        lblCaption[i]->hide();
        TrackBar[i]->hide();
        Edit[i]->hide();
    }
}

void TKVfrmAdjustPreview::AddField(int index, const QString& caption, int minimum, int maximum, int ticks,
                                   const QString& key, int def, int decimals)
{
    SetupField(index, caption, minimum, maximum, ticks);
    Edit[index]->SetDecimals(decimals);
    FKeys[index] = key;
    int value = def;
    if (decimals == 0) {
        value = ReadIniInteger(FSection, key, def);
    } else {
        bool ok = false;
        const double stored = ReadIniString(FSection, key, QString()).toDouble(&ok);
        if (ok && std::isfinite(stored))
            value = int(std::lround(std::clamp(stored * std::pow(10.0, decimals), -1e9, 1e9)));
    }
    Edit[index]->SetValue(value);
    lblCaption[index]->show();
    TrackBar[index]->show();
    Edit[index]->show();
}

void TKVfrmAdjustPreview::Start()
{
    SetAutoPreview(ReadIniBool(FSection, QStringLiteral("AutoPreview"), true));
    SyncTrackBars();
    ValueChanged();
}

void TKVfrmAdjustPreview::accept()
{
    for (int i = 0; i < kFieldCount; ++i) {
        if (FKeys[i].isEmpty())
            continue;
        Edit[i]->SetValue(Edit[i]->Value());
        if (Edit[i]->Decimals() == 0)
            WriteIniInteger(FSection, FKeys[i], Edit[i]->Value());
        else
            WriteIniString(FSection, FKeys[i], Edit[i]->text());
    }
    WriteIniBool(FSection, QStringLiteral("AutoPreview"), AutoPreview());
    TKVfrmPreviewBase::accept();
}

void TKVfrmAdjustPreview::prepare()
{
    if (FPrepared)
        return;
    FPrepared = true;
    const TBitmap& shown = FSource.Bitmap();
    FOriginalShown = &shown;
    if (shown.bitCount() != 24) {
        FOriginal = shown.toTrueColor();
        FOriginalShown = &*FOriginal;
    }
    if (FSource.SelectionMask()) {
        FMaskShown = &*FSource.SelectionMask();
    } else if (FSource.Region()) {
        FMask = RegionToMask(FSource.Region(), shown.width(), shown.height());
        FMaskShown = &*FMask;
    }
}

const TBitmap& TKVfrmAdjustPreview::Original()
{
    prepare();
    return *FOriginalShown;
}

const TBitmap* TKVfrmAdjustPreview::Mask()
{
    prepare();
    return FMaskShown;
}

void TKVfrmAdjustPreview::Preview()
{
    if (!pxPreview->HasImage())
        return;
    const TBitmap& original = Original();
    const TBitmap* mask = Mask();
    FPatched = QRect();
    // Only what the preview shows is computed, with the margin the adjustment reads beyond it.
    const QRect bounds(0, 0, original.width(), original.height());
    const QPoint first = pxPreview->ScreenToImage(QPoint(0, 0));
    const QPoint last = pxPreview->ScreenToImage(QPoint(pxPreview->ClientWidth(), pxPreview->ClientHeight()));
    const QRect area = QRect(first, last).adjusted(-1, -1, 1, 1) & bounds;
    const int reach = Reach();
    const QRect outer = area.adjusted(-reach, -reach, reach, reach) & bounds;
    TBitmap part = area.isEmpty() ? TBitmap() : CropBitmap(original, outer);
    std::optional<TBitmap> partMask;
    if (mask && !part.empty())
        partMask = CropBitmap(*mask, outer);
    const QRect inner = area.translated(-outer.topLeft());
    if (part.empty() || !Apply(part, part, inner, partMask ? &*partMask : nullptr)) {
        pxPreview->ClearOverlay();
        return;
    }
    pxPreview->SetOverlay(outer == area ? std::move(part) : CropBitmap(part, inner), area.topLeft());
    FPatched = area;
}

} // namespace kalvo
