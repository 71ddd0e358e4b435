// The file commands of the main window: open, save, save as, save options and the save prompt.
#include "app/FileDialogs.h"
#include "app/MainForm.h"
#include "app/MessageService.h"
#include "app/dialogs/SaveOptionDialog.h"
#include "canvas/PxImage.h"
#include "codecs/FileExtension.h"
#include "codecs/FormatDispatch.h"

#include <QFileInfo>

namespace kalvo {

bool TKalvoMainForm::ConfirmSave()
{
    if (!FModified)
        return true;
    const int answer = ShowMessageBox(QStringLiteral("イメージは変更されています．保存しますか？"),
                                      MB_YESNOCANCEL_EXCLAMATION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDNO)
        return true;
    RunCommand([this] { acSaveExecute(); });
    return !FModified;
}

bool TKalvoMainForm::OpenImageFile(const QString& name)
{
    if (!ConfirmSave())
        return false;
    BeginBusySection();
    const QString oldFileName = FileName();
    setFileName(name);
    FFileInfo.Result = -1;
    const QString shortName = QString::fromStdString(ExtractFileName(name.toStdString()));
    bool result = false;
    if (!QFileInfo::exists(name)) {
        RemoveFromRecentFiles(name);
        ShowMessageBox(QStringLiteral("ファイル %1 は存在しません．").arg(shortName), MB_ICONEXCLAMATION);
    } else {
        try {
            std::optional<TBitmap> bitmap = LoadImageFile(FFileInfo);
            if (!bitmap || FFileInfo.Result != 0)
                throw std::runtime_error("no bitmap");
            FModified = false;
            pxImage1->SetBitmap(std::move(*bitmap));
            UpdateCaption();
            // The list receives the file that was replaced, not the one just opened.
            AddToRecentFiles(oldFileName);
            ClearUndoHistory();
            FSavedSinceLoad = false;
            dropSelectionForNewDocument();
            result = true;
        } catch (const std::exception&) {
            FFileInfo.Result = -1;
            // The user already answered the save prompt: the previous image stays unmodified.
            FModified = false;
            ShowMessageBox(QStringLiteral("ファイル %1 が開けませんでした．").arg(shortName), MB_ICONERROR);
        }
    }
    if (FFileInfo.Result != 0)
        setFileName(oldFileName);
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
    BeginBusySection();
    bool saved = false;
    try {
        TBitmap bitmap = pxImage1->Bitmap();
        SaveImageFile(bitmap, FFileInfo);
        saved = FFileInfo.Result == 0;
        // The JPEG 2000 save converts the document itself to 24 bits.
        if (saved && bitmap.bitCount() != pxImage1->BitCount())
            pxImage1->SetBitmap(std::move(bitmap));
    } catch (...) {
        EndBusySection();
        throw;
    }
    EndBusySection();
    if (!saved) {
        acSaveAsExecute();
        return;
    }
    FModified = false;
    FSavedSinceLoad = true;
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
    const QString proposed = QString::fromStdString(ChangeFileExtToNone(FFileInfo.FileName));
    auto chosen = FFileDialogs->SaveFile(this, FSaveFilterIndex, proposed,
                                         [this] { acSaveOptionExecute(); });
    if (!chosen)
        return;
    BeginBusySection();
    const QString oldFileName = FileName();
    setFileName(*chosen);
    try {
        TBitmap bitmap = pxImage1->Bitmap();
        SaveImageFile(bitmap, FFileInfo);
        if (FFileInfo.Result == 0 && bitmap.bitCount() != pxImage1->BitCount())
            pxImage1->SetBitmap(std::move(bitmap));
    } catch (...) {
        // A save that raised wrote nothing: the document keeps its old name.
        setFileName(oldFileName);
        EndBusySection();
        throw;
    }
    if (FFileInfo.Result != 0) {
        ShowMessageBox(QStringLiteral("保存に失敗しました．"), MB_ICONERROR);
        setFileName(oldFileName);
    } else {
        FSavedSinceLoad = true;
        FModified = false;
        UpdateCaption();
        UpdateImageActions();
    }
    EndBusySection();
}

void TKalvoMainForm::acSaveOptionExecute()
{
    TKVfrmSaveOption::Execute(this, FFileInfo);
}

} // namespace kalvo
