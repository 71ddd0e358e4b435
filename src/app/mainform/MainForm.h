#pragma once
// The main window: the one document window. It keeps the document state around the canvas (file
// name, modified flag, save options), runs the file commands and offers the services every
// command handler uses (busy sections, progress bar, enabling).
#include "app/mainform/DocumentFile.h"
#include "app/settings/MainSettings.h"
#include "app/undo/UndoList.h"
#include "canvas/MouseMode.h"
#include "image/StrokeBackup.h"

#include <QMainWindow>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QDockWidget;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace kalvo {

class TPictureLoad;
class TpxImage;
class TFileDialogs;
class TRecentFileList;
class TpxIdleTime;
class TpxFileDrop;
class TKVfrmRollUp;
class TpxNumericEdit;
class TColorChartPanel;
class TColorBoxesPanel;
struct TDocumentState;
struct TEnablingRule;
struct TCommand;

namespace test {
struct TMainFormInternals;
}

class TKalvoMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TKalvoMainForm(QWidget* parent = nullptr);
    ~TKalvoMainForm() override;

    // The canvas; the window's commands by their ac… name, its menus, tool bars and tool windows
    // by object name (nullptr when there is none).
    TpxImage* Canvas() const { return pxImage1; }
    QAction* Action(const char* name) const { return ActionByName(QLatin1String(name)); }
    QAction* ActionByName(const QString& name) const;
    QMenu* Menu(const char* name) const;
    QToolBar* ToolBar(const char* name) const;
    QDockWidget* ToolWindow(const char* name) const;

    // Document services.
    // Opens the file as the document; with `started`, the read begun for it at start-up (same
    // name) is taken instead of reading it again.
    bool OpenImageFile(const QString& name, TPictureLoad* started = nullptr);
    bool ConfirmSave();
    void UpdateCaption();
    const TpxImageInfo& FileInfo() const { return FDocument.Info(); }
    bool IsModified() const { return FDocument.Modified(); }
    // The document's file name; empty while untitled.
    QString FileName() const { return FDocument.FileName(); }

    // Busy sections nest; only the outermost end restores the canvas.
    void BeginBusySection();
    void EndBusySection();

    // Operation scaffolding: a copy of the image and of the selection (the region, or the whole
    // image when there is none; or the selection mask, built from the region when the canvas has
    // none) inside a busy section. The End functions free both.
    void BeginImageOperation(TBitmap& copy, TRegionRef& region);
    void EndImageOperation(TBitmap& copy, TRegionRef& region);
    void BeginMaskOperation(TBitmap& copy, TBitmap& mask);
    void EndMaskOperation(TBitmap& copy, TBitmap& mask);
    // True when the image has 24 bits or the user agreed to convert it (undo step "色解像度変更").
    bool RequireTrueColor();
    // Converts the image to 1, 4, 8 or 24 bits; false for any other depth.
    bool ChangeColorResolution(int bits);

    // The status-bar progress bar; commands pass 100 as maximum and percentages as positions.
    void ShowProgress(int maximum);
    void ProgressCallback(QObject* sender, int reserved, int position);
    void HideProgress();

    void UpdateImageActions();
    // The property window: the panel of the current mode, enabled by the image's depth.
    void UpdatePropertyPanel();
    void UpdatePanelEnabling();
    TKVfrmRollUp* PropertyForm() const { return FPropertyForm; }

    // Undo steps: image (1), region (2), image and region (4).
    static constexpr int kUndoImage = 1;
    static constexpr int kUndoRegion = 2;
    static constexpr int kUndoImageAndRegion = 4;
    // Records the snapshot before a change; image, when given, is recorded instead of the
    // canvas image. EPxImageError "Except on AddUndoItem." when memory cannot be had.
    void PushUndo(const QString& description, int kind, const TBitmap* image = nullptr);
    // As PushUndo with image recorded instead of the canvas image, taken over rather than
    // copied; it is moved from only when the step is recorded.
    void PushUndoTaking(const QString& description, int kind, TBitmap& image);
    // As PushUndo for a change that touches only area of the picture (image coordinates, clipped
    // to it): the step keeps only that box. Absent, or covering most of the picture: PushUndo.
    // With pieces (disjoint, byte-aligned, holding every pixel the change can touch) it keeps
    // only those, while they are worth it.
    void PushUndoArea(const QString& description, int kind, const std::optional<QRect>& area,
                      std::span<const TRect> pieces = {});
    // Records a change already made to the canvas image: before is the picture it replaced. The
    // step keeps the box where the two differ, or takes before over as PushUndoTaking does when
    // the change covers most of the picture or its size, depth or palette changed.
    void PushUndoChange(const QString& description, int kind, TBitmap& before);
    // Records a brush stroke already painted: the step keeps the parts of the picture that differ
    // from what the backup kept, or the whole picture before the stroke when they cover most of
    // it.
    void PushUndoStroke(const QString& description, int kind, const TStrokeBackup& backup);
    void UpdateUndoActions();
    // Empties the history (open, new image).
    void ClearUndoHistory();

    // Settings: read at start-up, written at shut-down.
    void LoadSettings();
    void SaveSettings();
    // The recent-file list; both rewrite the list file and tell every main window to reload it.
    void AddToRecentFiles(const QString& name);
    void RemoveFromRecentFiles(const QString& name);

    // Runs a command handler; a failure that escapes it is shown with its message and the
    // program runs on.
    void RunCommand(const std::function<void()>& handler);

    // Replaces the file dialogs (tests answer them without a window).
    void SetFileDialogs(std::unique_ptr<TFileDialogs> dialogs);

    // Mouse modes (MainFormSelection.cpp). A mode action joins the exclusive mode group, runs
    // MouseModeChange when triggered and is checked whenever the canvas is in its mode. The
    // action registered for mmPenFreehand selects the pen mode and stands for both pen modes.
    // The action of a mode (nullptr when none is registered).
    QAction* ModeAction(TMouseMode mode) const;
    // Sets the canvas mode of the sender's action (any other sender selects nothing).
    void MouseModeChange(QObject* sender);
    // Enables the actions that need a selection; leaves the move modes when it is gone.
    void UpdateRegionActions();
    QActionGroup* ModeActionGroup() const { return FModeActionGroup; }

    int PenMode() const { return FPenMode; }

    // What the enabling tables read: image, depth, file type, selection, undo position.
    TDocumentState DocumentState() const;
    // Applies one enabling table to the window's actions from the current document state.
    void ApplyEnablingTable(std::span<const TEnablingRule> rules);
    // The popup of the canvas in its current mode: none for free-hand selection, zoom, fill and
    // picker; Apply/Cancel for the pixel move and the floating paste; else the mouse-mode menu.
    QMenu* CanvasPopupMenu() const;

    // Abandons moved pixels or a floating paste before a command that replaces image or selection.
    void CancelPendingFloat();
    // The paste actions from what the clipboard offers and whether there is an image.
    void UpdateClipboardActions();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Messages from other main windows (WM_RELOADMRU).
    void customEvent(QEvent* event) override;
    // Keypad + and - that no shortcut took run the zoom steps (see MainFormView.cpp).
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend struct test::TMainFormInternals;
    // The command registry's handlers and panels run the window's commands.
    friend std::span<const TCommand> Commands();

    // The one start of a document (open, new image, paste into the empty window): the canvas
    // takes the picture, the file side starts from info, the previous name goes to the recent
    // files, and the history and the previous selection go.
    void startDocument(TBitmap&& picture, const TpxImageInfo& info, bool modified);
    // Saves the picture under info's name with its options; info.Result tells the outcome.
    bool saveTo(TpxImageInfo& info);

    TpxImage* pxImage1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    QMenu* RecentMenu = nullptr;
    // The View menu with the zoom commands (MainFormView.cpp).
    QMenu* ZoomPresetMenu = nullptr;

    // Document state: the file side, the history and the busy and restoring states.
    TDocumentFile FDocument;
    int FBusyDepth = 0;
    bool FRestoring = false;
    int FSaveFilterIndex = 1;
    QProgressBar* FProgressBar = nullptr;
    int FMaxUndo = 16;
    TUndoList FUndoList;
    int FUndoPos = 0;
    // An idle swap failed during the idle period that began at FIdleSwapFailedSince.
    bool FIdleSwapFailed = false;
    quint32 FIdleSwapFailedSince = 0;
    bool FLeftButtonDown = false;
    bool FRegionMoveRecorded = false;
    int FPenMode = 12;
    // The settings as last read or applied; values without an owner yet are kept here.
    TMainSettings FSettings;

    TRecentFileList* TBMRUList1 = nullptr;
    TpxIdleTime* pxIdleTime1 = nullptr;
    TpxFileDrop* pxFileDrop1 = nullptr;

    // --- Mouse modes and the selection commands (MainFormSelection.cpp) -----------------------
    void addModeAction(QAction* action, TMouseMode mode);
    void acSelectAllExecute();
    void acInvertRegionExecute();
    void acDeleteRegionExecute();
    void acHideRegionExecute();
    // --- Painting (MainFormPaint.cpp) ---------------------------------------------------------
    // Fill, colour picker, pen and brush modes, and stroking the selection outline.
    // Runs the selection commands' enabling (the outline stroke needs a selection).
    void acDrawRegionExecute();

    // --- Menus, tool bars, tool windows, status bar and colour panels -------------------------
    // (MainFormMenus.cpp, MainFormToolBars.cpp, MainFormColorPanels.cpp)
    // The Edit menu's mouse-mode submenu, also the canvas's mouse-mode popup.
    QMenu* MouseModeMenu = nullptr;
    // The canvas popup of floating moves and pastes: "適用(&A)", a separator, "キャンセル(&C)".
    QMenu* ApplyCancelMenu = nullptr;
    // Tool bars "基本", "ズーム", "適用", "マウスモード" and the tool windows "前背景色", "色",
    // named after their sections in the layout file.
    QDockWidget* TBColorWindow = nullptr;
    QDockWidget* TBToolWindow1 = nullptr;
    TpxNumericEdit* edtZoom = nullptr;
    TColorBoxesPanel* ColorBoxes = nullptr;
    TColorChartPanel* ColorChart = nullptr;

    void acViewMaximumSizeExecute();
    void acSelectForegroundColorExecute();
    void acSelectBackgroundColorExecute();
    void acSwapFBColorsExecute();
    void acNewImageExecute();
    void acOpenExecute();
    void acSaveExecute();
    void acSaveAsExecute();
    void acSaveOptionExecute();
    void acCloseExecute();
    void acLoassLessJpegExecute();
    void acUndoExecute();
    void acRedoExecute();
    // Idle for a while: all but the three newest snapshots move into temporary files.
    void pxIdleTime1Interval();
    void acZoomInExecute();
    void acZoomOutExecute();
    void acZoom100Execute();
    void acZoomAutoExecute();
    void acZoomMenuExecute();
    void acShowPropertyExecute();
    void pxImage1ZoomChanged(int zoom);

    // --- Image, effects and colour commands (MainFormImage.cpp, MainFormEffects.cpp,
    // MainFormColor.cpp; the shared scaffolding is in ImageCommand.h) -----------------------
    void acResizeExecute();
    void acNegativeImageExecute();
    void acDropShadowExecute();
    void acObscureRegionExecute();
    void acClearExecute();
    void acReduce8bitColorExecute();
    void acReduce4bitColorExecute();
    void acReduce1bitColorExecute();
    // bits is the command's tag: 4, 8 or 24.
    void acEnlargeColorsExecute(int bits);
    void acColorCountExecute();
    void acPaletteEditExecute();
    void acPaletteExportExecute();
    void acPaletteImportExecute();

    // The actions of the registry's commands (MainFormCommands.cpp), the menus and the tool
    // bars filled from their places.
    void createCommands();
    void createMenus();
    void fillToolBars();
    // The Apply/Cancel popup and the canvas's popup on the right button (MainFormMenus.cpp).
    void createPopupMenus();
    // The zoom preset menu and the view's signals (MainFormView.cpp).
    void createViewMenu();
    // What a step keeps of the picture: a copy of Image, Take taken over (moved from only on
    // success), or only the box Box of BoxFrom.
    struct TStepPicture {
        const TBitmap* Image = nullptr;
        TBitmap* Take = nullptr;
        const TBitmap* BoxFrom = nullptr;
        TRect Box;
        TBitmap* BoxPixels = nullptr;  // the box's pixels to take over instead of BoxFrom's
        std::span<const TRect> Pieces; // the pieces of the box kept (BoxPixels holds them stacked)
    };
    void appendSnapshot(const QString& description, const TStepPicture& picture, bool withRegion, bool modified);
    void recordStep(const QString& description, int kind, const TStepPicture& picture);
    void restoreItem(int index, bool forRedo);
    // Exchanges the box of partial step index with the canvas picture's.
    void exchangeStepBox(int index);
    void runRestore(bool forRedo);
    // The idle detector, the file drop on the canvas and the recent-file list.
    void createComponents();
    void rebuildRecentMenu();
    void TBMRUList1Click(int index);
    // The type change of the save dialog: sets the default extension for filterIndex.
    QString OptionSaveDialog1TypeChange(int filterIndex) const;

    std::unique_ptr<TFileDialogs> FFileDialogs;

    // Mouse modes and the selection (MainFormSelection.cpp).
    void connectSelection();
    void pxImage1MouseModeChange();
    void pxImage1RegionChange();
    // Open and New image: the selection goes without an undo step.
    void dropSelectionForNewDocument();
    QActionGroup* FModeActionGroup = nullptr;
    std::vector<std::pair<QAction*, TMouseMode>> FModeActions;
    // Painting (MainFormPaint.cpp).
    void connectPainting();
    void reduceColors(int colors);

    // The property window (MainFormProperty.cpp).
    void createPropertyWindow(bool visible);
    void showPropertyWindowAfterStart();
    void destroyPropertyWindow();
    TKVfrmRollUp* FPropertyForm = nullptr;
    bool FShowPropertyAtStart = false;
    bool FPropertyPlaced = false;
    // The command whose panel the property window shows.
    const TCommand* FPanelCommand = nullptr;

    // Menus, tool bars and colour panels (MainFormMenus.cpp, MainFormToolBars.cpp,
    // MainFormColorPanels.cpp).
    void createToolBars();
    void createColorPanels();
    void edtZoomChange();
    void pickColor(bool foreground);
    bool choosePaletteColor(TColor& colour);
    void updateToolBarToggles();
    // Shows or hides the tool bar or tool window bar as its View menu toggle action says.
    void toggleBar(const char* bar, const char* action);
    void acViewStatusBarExecute();
    bool FZoomEditByProgram = false;
    // --- Clipboard, moves and floating pastes (MainFormClipboard.cpp, MainFormMove.cpp) -------
    // The clipboard offers a selection shape (application/x-pxregion).
    bool FClipboardHasPicture = false;
    bool FClipboardHasRegion = false;
    bool FRightButtonDown = false;
    void acCopyExecute();
    void acCutExecute();
    void acPasteExecute();
    void acMergePasteExecute();
    void acCopyRegionExecute();
    void acPasteRegionExecute();
    void acApplyExecute();
    void acCancelExecute();
    void connectClipboard();
    void connectMoves();
    // Enter, Escape and the arrow keys, taken before the focused control sees them.
    bool handleWindowKey(QKeyEvent* event);
    // Apply and Cancel after a mouse press or release on the canvas (allowed: the buttons let
    // them be enabled).
    void updateFloatActionsAfterMouse(bool allowed);
    QObject* FWindowKeyFilter = nullptr;
};

} // namespace kalvo
