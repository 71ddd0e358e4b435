// The colour menu of the main window: reduction and enlargement of the colours, the colour
// count and the palette commands.
#include "app/controls/ColorGrid.h"
#include "app/dialogs/ColorPaletteDialog.h"
#include "app/dialogs/MessageService.h"
#include "app/dialogs/ReduceColorsDialog.h"
#include "app/files/FileDialogs.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/palette/PaletteFile.h"
#include "image/Palette.h"
#include "imaging/colour/CountColors.h"
#include "imaging/colour/DrawToPaletteBitmap.h"
#include "imaging/colour/EnlargeColors.h"
#include "imaging/colour/PaletteBitmap.h"

#include <QAction>
#include <QFileInfo>

#include <array>

namespace kalvo {

namespace {

// The folder of the current image file, where the palette dialogs start (empty while untitled).
QString imageFolder(const QString& fileName)
{
    return fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath();
}

} // namespace

void TKalvoMainForm::reduceColors(int colors)
{
    if (!pxImage1->HasImage() || !CanReduceColors(pxImage1->BitCount(), colors))
        return;
    TKVfrmReduceColors dialog(colors, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const TReducePalette palette = dialog.PaletteChoice();
    const bool dither = dialog.Dither();
    RunImageCommand(*this, QStringLiteral("減色"), icProgress | icReadOnly, [&](TImageCommandInput& in) {
        return std::optional<TBitmap>(ReduceColors(*in.Source, colors, palette, dither, in.Progress));
    });
    dialog.Store();
}

void TKalvoMainForm::acReduce8bitColorExecute()
{
    reduceColors(256);
}

void TKalvoMainForm::acReduce4bitColorExecute()
{
    reduceColors(16);
}

void TKalvoMainForm::acReduce1bitColorExecute()
{
    reduceColors(2);
}

void TKalvoMainForm::acPaletteEditExecute()
{
    const int bits = pxImage1->BitCount();
    if (bits != 1 && bits != 4 && bits != 8)
        return;
    TKVfrmColorPalette dialog(this);
    dialog.ColorGrid->SetPalette(pxImage1->ImagePalette());
    dialog.ColorGrid->SetSelectColorIndex(0);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::array<TRGBQuad, 256> quads{};
    const std::vector<TColor> palette = dialog.ColorGrid->Palette();
    const int count = PaletteToRGBQuads(palette, quads, 255);
    PushUndo(QStringLiteral("パレットの変更"), kUndoImage);
    pxImage1->SetPaletteEntries(quads, count);
    UpdateImageActions();
}

void TKalvoMainForm::acPaletteExportExecute()
{
    const int bits = pxImage1->BitCount();
    if (bits != 1 && bits != 4 && bits != 8)
        return;
    const std::optional<QString> name = FFileDialogs->SavePaletteFile(this, imageFolder(FileName()));
    if (!name)
        return;
    if (!ExportPalette(pxImage1->ImagePalette(), name->toStdString()))
        ShowMessageBox(QStringLiteral("パレットファイル %1 を書き込めませんでした．").arg(*name), MB_ICONERROR);
}

void TKalvoMainForm::acPaletteImportExecute()
{
    if (!pxImage1->HasImage())
        return;
    const std::optional<QString> name = FFileDialogs->OpenPaletteFile(this, imageFolder(FileName()));
    if (!name)
        return;
    // A file that is no palette is passed over in silence.
    const std::optional<std::vector<TColor>> palette = ImportPalette(name->toStdString());
    if (!palette)
        return;
    RunImageCommand(*this, QStringLiteral("パレットのインポート"), icReadOnly, [&](TImageCommandInput& in) {
        TBitmap result;
        CreatePaletteBitmap(in.Source->width(), in.Source->height(), *palette, result);
        DrawToPaletteBitmap(result, *in.Source, 0, 0);
        return std::optional<TBitmap>(std::move(result));
    });
}

void TKalvoMainForm::acEnlargeColorsExecute(int bits)
{
    TUpdateLockGuard lock(*pxImage1);
    RunImageCommand(*this, QStringLiteral("増色"), icReadOnly,
                    [bits](TImageCommandInput& in) { return EnlargeColors(*in.Source, bits); });
}

void TKalvoMainForm::acColorCountExecute()
{
    if (!pxImage1->HasImage())
        return;
    int count = -1;
    {
        TUpdateLockGuard lock(*pxImage1);
        TBusyScope busy(*this);
        count = CountColors(pxImage1->Bitmap());
    }
    if (count < 0)
        ShowMessageBox(QStringLiteral("処理に失敗しました．"), MB_ICONERROR);
    else
        ShowMessageBox(QStringLiteral("このイメージは %1 色使用されています．").arg(count), MB_ICONINFORMATION);
}

} // namespace kalvo
