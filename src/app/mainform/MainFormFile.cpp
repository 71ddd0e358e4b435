// The file commands of the main window: open, save, save as, save options and the save prompt.
#include "app/dialogs/MessageService.h"
#include "app/dialogs/SaveOptionDialog.h"
#include "app/files/FileDialogs.h"
#include "app/files/PictureLoad.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/FileExtension.h"
#include "codecs/FormatDispatch.h"

#include <QFileInfo>

namespace kalvo {

bool TKalvoMainForm::ConfirmSave()
{
    if (!IsModified())
        return true;
    const int answer = ShowMessageBox(QStringLiteral("イメージは変更されています．保存しますか？"),
                                      MB_YESNOCANCEL_EXCLAMATION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDNO)
        return true;
    RunCommand([this] { acSaveExecute(); });
    return !IsModified();
}

void TKalvoMainForm::startDocument(TBitmap&& picture, const TpxImageInfo& info, bool modified)
{
    const QString previous = FileName();
    FDocument.Start(info, modified);
    pxImage1->SetBitmap(std::move(picture));
    UpdateCaption();
    // The list receives the file that was replaced, not the one just opened.
    AddToRecentFiles(previous);
    ClearUndoHistory();
    dropSelectionForNewDocument();
}

bool TKalvoMainForm::OpenImageFile(const QString& name, TPictureLoad* started)
{
    if (!ConfirmSave())
        return false;
    BeginBusySection();
    const QString shortName = QString::fromStdString(ExtractFileName(name.toStdString()));
    bool result = false;
    if (!QFileInfo::exists(name)) {
        RemoveFromRecentFiles(name);
        ShowMessageBox(QStringLiteral("ファイル %1 は存在しません．").arg(shortName), MB_ICONEXCLAMATION);
    } else {
        try {
            TpxImageInfo info = FileInfo();
            info.FileName = name.toStdString();
            info.Result = -1;
            std::optional<TBitmap> bitmap = started ? started->Take(info) : LoadImageFile(info);
            if (!bitmap || info.Result != 0)
                throw std::runtime_error("no bitmap");
            startDocument(std::move(*bitmap), info, false);
            result = true;
        } catch (const std::exception&) {
            // The user already answered the save prompt: the previous image stays unmodified.
            FDocument.SetModified(false);
            ShowMessageBox(QStringLiteral("ファイル %1 が開けませんでした．").arg(shortName), MB_ICONERROR);
        }
    }
    UpdateImageActions();
    EndBusySection();
    return result;
}

void TKalvoMainForm::acOpenExecute()
{
    CancelPendingFloat();
    if (auto name = FFileDialogs->OpenFile(this))
        OpenImageFile(*name);
}

void TKalvoMainForm::acSaveExecute()
{
    if (!pxImage1->HasImage())
        return;
    TpxImageInfo info = FileInfo();
    if (!saveTo(info)) {
        acSaveAsExecute();
        return;
    }
    FDocument.Saved(info);
}

bool TKalvoMainForm::saveTo(TpxImageInfo& info)
{
    const TBusyScope busy(*this);
    TBitmap bitmap = pxImage1->Bitmap();
    SaveImageFile(bitmap, info);
    // The JPEG 2000 save converts the document itself to 24 bits.
    if (info.Result == 0 && bitmap.bitCount() != pxImage1->BitCount())
        pxImage1->SetBitmap(std::move(bitmap));
    return info.Result == 0;
}

QString TKalvoMainForm::OptionSaveDialog1TypeChange(int filterIndex) const
{
    return DefaultExtensionForFilterIndex(filterIndex);
}

void TKalvoMainForm::acSaveAsExecute()
{
    if (!pxImage1->HasImage())
        return;
    OptionSaveDialog1TypeChange(FSaveFilterIndex);
    FSaveFilterIndex = SaveFilterIndexForFileName(FileName(), FSaveFilterIndex);
    const QString proposed = QString::fromStdString(ChangeFileExtToNone(FileInfo().FileName));
    auto chosen = FFileDialogs->SaveFile(this, FSaveFilterIndex, proposed, [this] { acSaveOptionExecute(); });
    if (!chosen)
        return;
    const TBusyScope busy(*this);
    // A save that fails or raises wrote nothing: the document keeps its old name.
    TpxImageInfo info = FileInfo();
    info.FileName = chosen->toStdString();
    if (!saveTo(info)) {
        ShowMessageBox(QStringLiteral("保存に失敗しました．"), MB_ICONERROR);
        return;
    }
    FDocument.Saved(info);
    UpdateCaption();
    UpdateImageActions();
}

void TKalvoMainForm::acSaveOptionExecute()
{
    TKVfrmSaveOption::Execute(this, FDocument.SaveOptions());
}

} // namespace kalvo
