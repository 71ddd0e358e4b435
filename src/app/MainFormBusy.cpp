// Busy sections and the status-bar progress bar of the main window.
#include "app/MainForm.h"
#include "canvas/PxImage.h"

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

} // namespace kalvo
