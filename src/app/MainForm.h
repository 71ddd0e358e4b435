#pragma once
// The main window: the one document window. It keeps the document state around the canvas (file
// name, modified flag, save options), runs the file commands and offers the services every
// command handler uses (busy sections, progress bar, enabling).
#include "app/settings/MainSettings.h"
#include "app/undo/UndoList.h"
#include "canvas/MouseMode.h"
#include "codecs/ImageInfo.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QProgressBar;
class QStatusBar;

namespace kalvo {

class TpxImage;
class TFileDialogs;
class TRecentFileList;
class TpxIdleTime;
class TpxFileDrop;
class TKVfrmRollUp;

class TKalvoMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TKalvoMainForm(QWidget* parent = nullptr);
    ~TKalvoMainForm() override;

    // Document services.
    bool OpenImageFile(const QString& name);
    bool ConfirmSave();
    void UpdateCaption();

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
    QAction* acShowProperty = nullptr;

    // Undo steps: image (1), region (2), image and region (4).
    static constexpr int kUndoImage = 1;
    static constexpr int kUndoRegion = 2;
    static constexpr int kUndoImageAndRegion = 4;
    // Records the snapshot before a change; image, when given, is recorded instead of the
    // canvas image. EPxImageError "Except on AddUndoItem." when memory cannot be had.
    void PushUndo(const QString& description, int kind, const TBitmap* image = nullptr);
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

    TpxImage* pxImage1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    QAction* acNewImage = nullptr;
    QAction* acOpen = nullptr;
    QAction* acSaveOption = nullptr;
    QAction* acSaveAs = nullptr;
    QAction* acSave = nullptr;
    QAction* acClose = nullptr;
    QAction* acLoassLessJpeg = nullptr;
    QMenu* ImageMenu = nullptr;
    QAction* acUndo = nullptr;
    QAction* acRedo = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* FileMenu = nullptr;
    QMenu* RecentMenu = nullptr;
    // The View menu with the zoom commands (MainFormView.cpp).
    QMenu* ViewMenu = nullptr;
    QMenu* ZoomPresetMenu = nullptr;
    QAction* acZoomIn = nullptr;
    QAction* acZoomOut = nullptr;
    QAction* acZoom100 = nullptr;
    QAction* acZoomAuto = nullptr;
    QAction* acZoomMenu = nullptr;

    // Document state.
    TpxImageInfo FFileInfo;
    bool FModified = false;
    bool FSavedSinceLoad = false;
    int FBusyDepth = 0;
    bool FRestoring = false;
    int FSaveFilterIndex = 1;
    QProgressBar* FProgressBar = nullptr;
    int FMaxUndo = 16;
    TUndoList FUndoList;
    int FUndoPos = 0;
    bool FLeftButtonDown = false;
    bool FRegionMoveRecorded = false;
    int FPenMode = 12;
    // The settings as last read or applied; values without an owner yet are kept here.
    TMainSettings FSettings;

    TRecentFileList* TBMRUList1 = nullptr;
    TpxIdleTime* pxIdleTime1 = nullptr;
    TpxFileDrop* pxFileDrop1 = nullptr;


    // --- Mouse modes and the selection commands (MainFormSelection.cpp) -----------------------
    // A mode action joins the exclusive mode group, runs MouseModeChange when triggered and is
    // checked whenever the canvas is in its mode. The action registered for mmPenFreehand
    // selects FPenMode and stands for both pen modes.
    void addModeAction(QAction* action, TMouseMode mode);
    // The action of a mode (nullptr when none is registered).
    QAction* ModeAction(TMouseMode mode) const;
    // Sets the canvas mode of the sender's action (any other sender selects nothing).
    void MouseModeChange(QObject* sender);
    // Enables the actions that need a selection; leaves the move modes when it is gone.
    void UpdateRegionActions();
    QActionGroup* ModeActionGroup() const { return FModeActionGroup; }
    QAction* acHandScroll = nullptr;
    QAction* acZoom = nullptr;
    QAction* acSelectRect = nullptr;
    QAction* acSelectEllipse = nullptr;
    QAction* acSelectRegion = nullptr;
    QAction* acSelectMagicWand = nullptr;
    QAction* acSelectAll = nullptr;
    QAction* acInvertRegion = nullptr;
    QAction* acDeleteRegion = nullptr;
    QAction* acHideRegion = nullptr;
    void acSelectAllExecute();
    void acInvertRegionExecute();
    void acDeleteRegionExecute();
    void acHideRegionExecute();
    // --- end of the mouse-mode and selection block ---------------------------------------------

    // The document's file name (FFileInfo.FileName); empty while untitled.
    QString FileName() const { return QString::fromStdString(FFileInfo.FileName); }

public slots:
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

protected:
    void closeEvent(QCloseEvent* event) override;
    // Messages from other main windows (WM_RELOADMRU).
    void customEvent(QEvent* event) override;
    // Keypad + and - that no shortcut took run the zoom steps (see MainFormView.cpp).
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createViewMenu();
    void createEditMenu();
    void createImageMenu();
    void appendSnapshot(const QString& description, const TBitmap* image, bool withRegion, bool modified);
    void restoreItem(int index, bool forRedo);
    void runRestore(bool forRedo);
    // The idle detector, the file drop on the canvas and the recent-file list.
    void createComponents();
    void rebuildRecentMenu();
    void TBMRUList1Click(int index);
    void setFileName(const QString& name);
    QAction* makeAction(const QString& caption, const QString& hint, const QKeySequence& shortcut,
                        void (TKalvoMainForm::*handler)());
    // The type change of the save dialog: sets the default extension for filterIndex.
    QString OptionSaveDialog1TypeChange(int filterIndex) const;

    std::unique_ptr<TFileDialogs> FFileDialogs;

    // Mouse modes and the selection (MainFormSelection.cpp).
    void createSelectionActions();
    void pxImage1MouseModeChange();
    void pxImage1RegionChange();
    // acSelectAll and acHideRegion follow the image (from UpdateImageActions).
    void updateSelectionImageActions();
    // Open and New image: the selection goes without an undo step.
    void dropSelectionForNewDocument();
    QActionGroup* FModeActionGroup = nullptr;
    std::vector<std::pair<QAction*, TMouseMode>> FModeActions;

    // The property window (MainFormProperty.cpp).
    void createPropertyWindow(bool visible);
    void showPropertyWindowAfterStart();
    void destroyPropertyWindow();
    TKVfrmRollUp* FPropertyForm = nullptr;
    bool FShowPropertyAtStart = false;
    bool FPropertyPlaced = false;
};

} // namespace kalvo
