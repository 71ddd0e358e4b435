#include "app/mainform/MainForm.h"

#include "app/commands/ActionIcons.h"
#include "app/dialogs/MessageService.h"
#include "app/files/FileDialogs.h"
#include "app/mainform/ToolBarLayout.h"
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

TKalvoMainForm::TKalvoMainForm(QWidget* parent) : QMainWindow(parent), FFileDialogs(std::make_unique<TFileDialogs>())
{
    FBusyDepth = 0;
    pxImage1 = new TpxImage(this);
    setCentralWidget(pxImage1);
    StatusBar1 = new QStatusBar(this);
    setStatusBar(StatusBar1);
    createCommands();
    connectSelection();
    connectPainting();
    connectClipboard();
    connectMoves();
    createViewMenu();
    SetUpIconTheme();
    ApplyActionIcons(this);
    // Menus and tool bars look the actions up by name, so they are built after all exist, and
    // the tool bars before the layout file places them.
    createMenus();
    createPopupMenus();
    createComponents();
    createToolBars();
    LoadSettings();
    LoadToolBarLayout(this, ToolBarLayoutFileName());
    updateToolBarToggles();
    UpdateCaption();
    ClearUndoHistory();
    // The program starts in rectangle selection with the selection actions enabled to match.
    MouseModeChange(Action("acSelectRect"));
    UpdateRegionActions();
}

TKalvoMainForm::~TKalvoMainForm()
{
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

void TKalvoMainForm::UpdateCaption()
{
    const QString title = QApplication::applicationDisplayName();
    if (!FileName().isEmpty())
        setWindowTitle(QString::fromStdString(ExtractFileName(FDocument.Info().FileName)) + " - " + title);
    else if (pxImage1->HasImage())
        setWindowTitle(QStringLiteral("無題 - ") + title);
    else
        setWindowTitle(title);
}

void TKalvoMainForm::RunCommand(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        ShowFailure(e);
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
    // Closing hides the property window with the main window: its state is taken before that.
    if (FPropertyForm)
        FSettings.ShowProperty = FPropertyForm->isVisible();
    event->accept();
}

} // namespace kalvo
