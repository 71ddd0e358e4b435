#include "app/mainform/MainForm.h"
#include "app/mainform/AdjustCommands.h"

#include "app/FileDialogs.h"
#include "app/MessageService.h"
#include "app/mainform/ToolBarLayout.h"
#include "app/commands/ActionHint.h"
#include "app/commands/ActionIcons.h"
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
    createViewMenu();
    createEditMenu();
    createImageMenu();
    createCommandActions();
    SetUpIconTheme();
    ApplyActionIcons(this);
    // Menus and tool bars look the actions up by name, so they are built after all exist, and
    // the tool bars before the layout file places them.
    createMenus();
    createComponents();
    createToolBars();
    LoadSettings();
    LoadToolBarLayout(this, ToolBarLayoutFileName());
    updateToolBarToggles();
    UpdateCaption();
    ClearUndoHistory();
    // The program starts in rectangle selection with the selection actions enabled to match.
    MouseModeChange(acSelectRect);
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

QAction* TKalvoMainForm::makeAction(const QString& caption, const QString& hint,
                                    const QKeySequence& shortcut, void (TKalvoMainForm::*handler)())
{
    return makeAction(nullptr, caption, hint, shortcut, [this, handler] { (this->*handler)(); });
}

QAction* TKalvoMainForm::makeAction(const char* name, const QString& caption, const QString& hint,
                                    const QKeySequence& shortcut, void (TKalvoMainForm::*handler)())
{
    return makeAction(name, caption, hint, shortcut, [this, handler] { (this->*handler)(); });
}

QAction* TKalvoMainForm::makeAction(const char* name, const QString& caption, const QString& hint,
                                    const QKeySequence& shortcut, std::function<void()> handler)
{
    auto* action = new QAction(caption, this);
    if (name)
        action->setObjectName(QLatin1String(name));
    ApplyHint(action, hint);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { RunCommand(handler); });
    return action;
}

void TKalvoMainForm::createActions()
{
    acNewImage = makeAction(QStringLiteral("新規作成(&N)..."), QStringLiteral("新規作成"),
                            QKeySequence(Qt::CTRL | Qt::Key_N), &TKalvoMainForm::acNewImageExecute);
    acNewImage->setObjectName(QStringLiteral("acNewImage"));
    acOpen = makeAction(QStringLiteral("開く(&O)..."), QStringLiteral("ファイルを開く"),
                        QKeySequence(Qt::CTRL | Qt::Key_O), &TKalvoMainForm::acOpenExecute);
    acOpen->setObjectName(QStringLiteral("acOpen"));
    acSaveOption = makeAction(QStringLiteral("保存オプション(&V)..."), QString(), QKeySequence(),
                              &TKalvoMainForm::acSaveOptionExecute);
    acSaveOption->setObjectName(QStringLiteral("acSaveOption"));
    acSaveAs = makeAction(QStringLiteral("名前を付けて保存(&A)..."), QStringLiteral("名前を付けて保存"),
                          QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_A), &TKalvoMainForm::acSaveAsExecute);
    acSaveAs->setObjectName(QStringLiteral("acSaveAs"));
    acSave = makeAction(QStringLiteral("上書き保存(&S)"), QStringLiteral("上書き保存"),
                        QKeySequence(Qt::CTRL | Qt::Key_S), &TKalvoMainForm::acSaveExecute);
    acSave->setObjectName(QStringLiteral("acSave"));
    acClose = makeAction(QStringLiteral("プログラムの終了(&X)"), QStringLiteral("プログラムの終了"),
                         QKeySequence(Qt::ALT | Qt::Key_F4), &TKalvoMainForm::acCloseExecute);
    acClose->setObjectName(QStringLiteral("acClose"));
    createSelectionActions();
    createPaintActions();
    createClipboardActions();
    createMoveActions();
    createImageCommandActions();
    createEffectActions();
    CreateAdjustCommands(*this);
    createColorActions();
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
    // Closing hides the property window with the main window: its state is taken before that.
    if (FPropertyForm)
        FSettings.ShowProperty = FPropertyForm->isVisible();
    event->accept();
}

} // namespace kalvo
