#include "app/MainForm.h"

#include "app/FileDialogs.h"
#include "app/MessageService.h"
#include "app/ToolBarLayout.h"
#include "app/property/RollUpWindow.h"
#include "app/settings/ProgramDirectory.h"
#include "canvas/PxImage.h"
#include "codecs/FileExtension.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>

namespace kalvo {

TKalvoMainForm::TKalvoMainForm(QWidget* parent)
    : QMainWindow(parent), FFileDialogs(std::make_unique<TFileDialogs>())
{
    FBusyDepth = 0;
    pxImage1 = new TpxImage(this);
    setCentralWidget(pxImage1);
    StatusBar1 = new QStatusBar(this);
    setStatusBar(StatusBar1);
    createActions();
    createMenus();
    createViewMenu();
    createComponents();
    createEditMenu();
    createImageMenu();
    LoadSettings();
    LoadToolBarLayout(this, ToolBarLayoutFileName());
    setFileName(QString());
    FModified = false;
    UpdateCaption();
    ClearUndoHistory();
    // The program starts in rectangle selection with the selection actions enabled to match.
    MouseModeChange(acSelectRect);
    UpdateRegionActions();
}

TKalvoMainForm::~TKalvoMainForm()
{
    if (FPropertyForm)
        FSettings.ShowProperty = FPropertyForm->isVisible();
    hide();
    SaveSettings();
    SaveToolBarLayout(this, ToolBarLayoutFileName());
    destroyPropertyWindow();
}

void TKalvoMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    showPropertyWindowAfterStart();
}

QAction* TKalvoMainForm::makeAction(const QString& caption, const QString& hint,
                                    const QKeySequence& shortcut, void (TKalvoMainForm::*handler)())
{
    auto* action = new QAction(caption, this);
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    return action;
}

void TKalvoMainForm::createActions()
{
    acNewImage = makeAction(QStringLiteral("新規作成(&N)..."), QStringLiteral("新規作成"),
                            QKeySequence(Qt::CTRL | Qt::Key_N), &TKalvoMainForm::acNewImageExecute);
    acOpen = makeAction(QStringLiteral("開く(&O)..."), QStringLiteral("ファイルを開く"),
                        QKeySequence(Qt::CTRL | Qt::Key_O), &TKalvoMainForm::acOpenExecute);
    acSaveOption = makeAction(QStringLiteral("保存オプション(&V)..."), QString(), QKeySequence(),
                              &TKalvoMainForm::acSaveOptionExecute);
    acSaveAs = makeAction(QStringLiteral("名前を付けて保存(&A)..."), QStringLiteral("名前を付けて保存"),
                          QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_A), &TKalvoMainForm::acSaveAsExecute);
    acSave = makeAction(QStringLiteral("上書き保存(&S)"), QStringLiteral("上書き保存"),
                        QKeySequence(Qt::CTRL | Qt::Key_S), &TKalvoMainForm::acSaveExecute);
    acClose = makeAction(QStringLiteral("プログラムの終了(&X)"), QStringLiteral("プログラムの終了"),
                         QKeySequence(Qt::ALT | Qt::Key_F4), &TKalvoMainForm::acCloseExecute);
    createSelectionActions();
}

void TKalvoMainForm::createMenus()
{
    FileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    FileMenu->addAction(acNewImage);
    FileMenu->addAction(acOpen);
    FileMenu->addSeparator();
    FileMenu->addAction(acSaveOption);
    FileMenu->addAction(acSaveAs);
    FileMenu->addAction(acSave);
    FileMenu->addSeparator();
    RecentMenu = FileMenu->addMenu(QStringLiteral("最近使ったファイル(&M)"));
    FileMenu->addSeparator();
    FileMenu->addAction(acClose);
}

void TKalvoMainForm::setFileName(const QString& name)
{
    FFileInfo.FileName = name.toStdString();
}

void TKalvoMainForm::UpdateCaption()
{
    const QString title = QApplication::applicationDisplayName();
    if (!FileName().isEmpty())
        setWindowTitle(QString::fromStdString(ExtractFileName(FFileInfo.FileName)) + " - " + title);
    else if (pxImage1->HasImage())
        setWindowTitle(QStringLiteral("無題 - ") + title);
    else
        setWindowTitle(title);
}

void TKalvoMainForm::UpdateImageActions()
{
    const bool hasImage = pxImage1->HasImage();
    acSaveAs->setEnabled(hasImage);
    acSave->setEnabled(hasImage);
    if (acLoassLessJpeg)
        acLoassLessJpeg->setEnabled(hasImage && FormatFromFileName(FFileInfo.FileName) == TImageFormat::Jpeg);
    updateSelectionImageActions();
    UpdatePanelEnabling();
}

void TKalvoMainForm::RunCommand(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        ShowMessageBox(QString::fromUtf8(e.what()), MB_ICONERROR);
    }
}

void TKalvoMainForm::SetFileDialogs(std::unique_ptr<TFileDialogs> dialogs)
{
    FFileDialogs = std::move(dialogs);
}

void TKalvoMainForm::acCloseExecute()
{
    close();
}

void TKalvoMainForm::closeEvent(QCloseEvent* event)
{
    if (!ConfirmSave()) {
        event->ignore();
        return;
    }
    AddToRecentFiles(FileName());
    event->accept();
}

} // namespace kalvo
