// The main window's recent-file list, its menu, the messages between main windows, and the
// components that feed the window: the idle detector and the file drop on the canvas.
#include "app/controls/FileDrop.h"
#include "app/controls/IdleTime.h"
#include "app/files/RecentFiles.h"
#include "app/mainform/MainForm.h"
#include "app/settings/ProgramDirectory.h"
#include "app/startup/Instances.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace kalvo {

void TKalvoMainForm::createComponents()
{
    pxIdleTime1 = new TpxIdleTime(this);
    pxIdleTime1->SetInterval(4);
    pxIdleTime1->SetEnabled(true);
    connect(pxIdleTime1, &TpxIdleTime::OnInterval, this, [this] { RunCommand([this] { pxIdleTime1Interval(); }); });

    pxFileDrop1 = new TpxFileDrop(this);
    pxFileDrop1->SetControl(pxImage1);
    connect(pxFileDrop1, &TpxFileDrop::OnFileDrop, this, [this](QObject*, int num, const QStringList& files, QPoint) {
        if (num > 0)
            RunCommand([this, name = files.front()] { OpenImageFile(name); });
    });

    TBMRUList1 = new TRecentFileList(RecentFilesFileName(), this);
    connect(TBMRUList1, &TRecentFileList::Changed, this, &TKalvoMainForm::rebuildRecentMenu);
    TBMRUList1->SetWatching(true);
    rebuildRecentMenu();
}

void TKalvoMainForm::AddToRecentFiles(const QString& name)
{
    if (name.isEmpty())
        return;
    TBMRUList1->Add(QDir::cleanPath(QFileInfo(name).absoluteFilePath()));
    if (!TBMRUList1->SaveToFile())
        return;
    NotifyInstances(WM_RELOADMRU);
}

void TKalvoMainForm::RemoveFromRecentFiles(const QString& name)
{
    if (name.isEmpty())
        return;
    TBMRUList1->Remove(name);
    if (!TBMRUList1->SaveToFile())
        return;
    NotifyInstances(WM_RELOADMRU);
}

void TKalvoMainForm::rebuildRecentMenu()
{
    // The list may change while one of its items is being triggered: delete the old items later.
    for (QAction* old : RecentMenu->actions()) {
        RecentMenu->removeAction(old);
        old->deleteLater();
    }
    const QStringList captions = TBMRUList1->Captions();
    for (int i = 0; i < captions.size(); ++i) {
        QAction* item = RecentMenu->addAction(captions.at(i));
        item->setObjectName(QStringLiteral("MRU%1").arg(i));
        connect(item, &QAction::triggered, this, [this, i] { TBMRUList1Click(i); });
    }
    RecentMenu->setEnabled(!captions.isEmpty());
}

void TKalvoMainForm::TBMRUList1Click(int index)
{
    if (index < 0 || index >= TBMRUList1->Items().size())
        return;
    const QString path = TBMRUList1->Items().at(index);
    TBMRUList1->MoveToTop(index);
    RunCommand([this, path] { OpenImageFile(path); });
}

void TKalvoMainForm::customEvent(QEvent* event)
{
    if (event->type() == InstanceMessageEventType(WM_RELOADMRU)) {
        TBMRUList1->LoadFromFile();
        return;
    }
    QMainWindow::customEvent(event);
}

} // namespace kalvo
