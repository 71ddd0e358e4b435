// Busy sections and the status-bar progress bar of the main window.
#include "app/dialogs/MessageService.h"
#include "app/mainform/ImageCommand.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/ColorResolution.h"
#include "image/RegionConvert.h"

#include <QProgressBar>
#include <QStatusBar>

namespace kalvo {

void TKalvoMainForm::BeginBusySection()
{
    ++FBusyDepth;
    pxImage1->BeginBusy();
}

void TKalvoMainForm::EndBusySection()
{
    if (FBusyDepth > 0)
        --FBusyDepth;
    pxImage1->EndBusy();
}

void TKalvoMainForm::ShowProgress(int maximum)
{
    if (!FProgressBar) {
        FProgressBar = new QProgressBar(StatusBar1);
        FProgressBar->setTextVisible(false);
    }
    FProgressBar->setRange(0, maximum);
    FProgressBar->setValue(0);
    FProgressBar->setGeometry(4, 1, 100, StatusBar1->contentsRect().height() - 2);
    FProgressBar->show();
}

void TKalvoMainForm::ProgressCallback(QObject*, int, int position)
{
    if (FProgressBar && FProgressBar->value() != position)
        FProgressBar->setValue(position);
}

void TKalvoMainForm::HideProgress()
{
    delete FProgressBar;
    FProgressBar = nullptr;
}

void TKalvoMainForm::BeginImageOperation(TBitmap& copy, TRegionRef& region)
{
    BeginBusySection();
    copy = pxImage1->Bitmap();
    const TBitmap& image = pxImage1->Bitmap();
    region = pxImage1->Region() ? *pxImage1->Region() : TRegion::rect({0, 0, image.width(), image.height()});
}

void TKalvoMainForm::EndImageOperation(TBitmap& copy, TRegionRef& region)
{
    copy.clear();
    region.reset();
    EndBusySection();
}

void TKalvoMainForm::BeginMaskOperation(TBitmap& copy, TBitmap& mask)
{
    BeginBusySection();
    copy = pxImage1->Bitmap();
    mask = pxImage1->SelectionMask() ? *pxImage1->SelectionMask()
                                     : RegionToMask(pxImage1->Region(), copy.width(), copy.height());
}

void TKalvoMainForm::EndMaskOperation(TBitmap& copy, TBitmap& mask)
{
    copy.clear();
    mask.clear();
    EndBusySection();
}

bool TKalvoMainForm::RequireTrueColor()
{
    if (pxImage1->BitCount() > 23)
        return true;
    const int answer = ShowMessageBox(QStringLiteral("この機能は24bitフルカラーでないと実行できません。\r\n"
                                                     "ここでフルカラーに変換してもよろしいですか？"),
                                      MB_YESNO_QUESTION);
    if (answer != IDYES)
        return false;
    return ChangeColorResolution(24);
}

bool TKalvoMainForm::ChangeColorResolution(int bits)
{
    std::optional<TBitmap> result = kalvo::ChangeColorResolution(pxImage1->Bitmap(), bits);
    if (!result)
        return false;
    if (FRestoring)
        pxImage1->SetBitmap(std::move(*result));
    else
        ReplaceImageRecording(*this, QStringLiteral("色解像度変更"), std::move(*result));
    UpdateImageActions();
    return true;
}

} // namespace kalvo
