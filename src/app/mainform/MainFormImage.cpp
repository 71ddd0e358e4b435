// The Image menu of the main window: the resize and the lossless JPEG rotation of the open file;
// and the enabling of the image, effects and colour commands.
#include "app/dialogs/LossLessJpegDialog.h"
#include "app/dialogs/MessageService.h"
#include "app/dialogs/ResizeDialog.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "codecs/FileExtension.h"
#include "imaging/resample/ResizeNearest.h"
#include "imaging/resample/ResizeResample.h"

#include <QAction>
#include <QMenuBar>
#include <QSignalBlocker>

namespace kalvo {

void TKalvoMainForm::acLoassLessJpegExecute()
{
    if (FileName().isEmpty())
        return;
    TKVfrmLosslessJpeg dialog(this);
    dialog.SourceFileName = FileName();
    dialog.BeginBusy = [this] { BeginBusySection(); };
    dialog.EndBusy = [this] { EndBusySection(); };
    const int result = dialog.exec();
    if (result == TKVfrmLosslessJpeg::kResultOk) {
        // The file on disk changed: it is opened again without a save prompt.
        FDocument.SetModified(false);
        OpenImageFile(FileName());
    } else if (result == TKVfrmLosslessJpeg::kResultAbort) {
        ShowMessageBox(QStringLiteral("処理に失敗しました．"), MB_ICONERROR);
    }
}

void TKalvoMainForm::acResizeExecute()
{
    if (!pxImage1->HasImage())
        return;
    const QString section = QStringLiteral("Resize");
    const int width = pxImage1->Bitmap().width();
    const int height = pxImage1->Bitmap().height();
    TKVfrmResize dialog(width, height, this);
    dialog.SetResample(ReadIniBool(section, QStringLiteral("Resample"), true));
    dialog.SetKeepAspect(ReadIniBool(section, QStringLiteral("KeepAspect"), true));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int newWidth = dialog.NewWidth();
    const int newHeight = dialog.NewHeight();
    const bool resample = dialog.Resample();
    if (newWidth == width && newHeight == height)
        return;
    if (!PictureSizeAllowed(newWidth, newHeight, resample ? 24 : pxImage1->BitCount()))
        return;
    if (resample && !RequireTrueColor())
        return;
    {
        TUpdateLockGuard lock(*pxImage1);
        TBusyScope busy(*this);
        TBitmap result = resample ? ResizeResample(pxImage1->Bitmap(), newWidth, newHeight)
                                  : ResizeNearest(pxImage1->Bitmap(), newWidth, newHeight);
        ReplaceImageRecording(*this, QStringLiteral("リサイズ"), std::move(result));
        const bool hadSelection = pxImage1->Region().has_value();
        if (hadSelection) {
            // The selection goes with the old size; its removal is part of this step.
            const QSignalBlocker quiet(pxImage1);
            pxImage1->DeleteSelection();
        }
        if (hadSelection) {
            emit pxImage1->OnRegionDeleted();
            emit pxImage1->OnRegionChanged();
        }
        UpdateImageActions();
    }
    WriteIniBool(section, QStringLiteral("Resample"), resample);
    WriteIniBool(section, QStringLiteral("KeepAspect"), dialog.KeepAspect());
}

} // namespace kalvo
