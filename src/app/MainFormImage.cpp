// The Image menu of the main window: the lossless JPEG rotation of the open file.
#include "app/MainForm.h"
#include "app/MessageService.h"
#include "app/dialogs/LossLessJpegDialog.h"
#include "canvas/PxImage.h"
#include "codecs/FileExtension.h"

#include <QAction>

namespace kalvo {

void TKalvoMainForm::createImageMenu()
{
    // The hint is the one its menu item shows.
    acLoassLessJpeg = makeAction(QStringLiteral("JPEG ロスレス回転(&J)..."),
                                 QStringLiteral("JPEG ロスレス回転|画質を劣化させないでJPEG画像を回転させます"),
                                 QKeySequence(), &TKalvoMainForm::acLoassLessJpegExecute);
    acLoassLessJpeg->setObjectName(QStringLiteral("acLoassLessJpeg"));
}

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
        FModified = false;
        OpenImageFile(FileName());
    } else if (result == TKVfrmLosslessJpeg::kResultAbort) {
        ShowMessageBox(QStringLiteral("処理に失敗しました．"), MB_ICONERROR);
    }
}

} // namespace kalvo
