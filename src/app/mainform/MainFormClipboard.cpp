// The clipboard commands of the main window: copy, cut, paste, merge paste, and copy and paste
// of the selection's shape, with the paste enabling that follows the clipboard.
#include "app/commands/Enabling.h"
#include "app/dialogs/MessageService.h"
#include "app/mainform/MainForm.h"
#include "app/systemclipboard/CanvasClipboard.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>

namespace kalvo {

namespace {

// Window activation: Wayland tells a window about clipboard changes only when it has the focus.
class TActivationWatch : public QObject {
public:
    TActivationWatch(QObject* parent, std::function<void()> onActivate)
        : QObject(parent), FOnActivate(std::move(onActivate))
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate)
            FOnActivate();
        return false;
    }

private:
    std::function<void()> FOnActivate;
};

} // namespace

void TKalvoMainForm::connectClipboard()
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TKalvoMainForm::UpdateClipboardActions);
    installEventFilter(new TActivationWatch(this, [this] { UpdateClipboardActions(); }));
    UpdateClipboardActions();
}

void TKalvoMainForm::UpdateClipboardActions()
{
    if (!Action("acPaste"))
        return;
    FClipboardHasPicture = ClipboardHasPicture();
    FClipboardHasRegion = ClipboardHasRegion();
    ApplyEnablingTable(ClipboardEnablingRules());
}

void TKalvoMainForm::acCopyExecute()
{
    if (!pxImage1->HasImage())
        return;
    if (!CopyToClipboard(*pxImage1))
        ShowMessageBox(QStringLiteral("クリップボードへのコピーに失敗しました．"), MB_ICONERROR);
}

void TKalvoMainForm::acCutExecute()
{
    if (!pxImage1->HasImage() || !pxImage1->Region())
        return;
    CancelPendingFloat();
    // The cut clears the selected pixels only.
    const TRect box = pxImage1->Region()->boundingRect();
    PushUndoArea(QStringLiteral("切り取り"), kUndoImage, QRect(box.left, box.top, box.width(), box.height()));
    CutToClipboard(*pxImage1);
}

void TKalvoMainForm::acPasteExecute()
{
    CancelPendingFloat();
    // Decoded first: a clipboard without a readable picture changes nothing and records nothing.
    TBitmap picture = GetBitmapFromClipboard();
    if (!pxImage1->HasImage()) {
        // Into the empty window: a new untitled document, unmodified.
        TpxImageInfo info = FileInfo();
        info.FileName.clear();
        info.Metadata.clear(); // no photo's EXIF or profile
        info.Width = picture.width();
        info.Height = picture.height();
        startDocument(std::move(picture), info, false);
        UpdatePanelEnabling();
        return;
    }
    PushUndo(QStringLiteral("貼り付け"), kUndoImageAndRegion);
    FRestoring = true;
    try {
        PasteFromClipboard(*pxImage1, std::move(picture));
    } catch (...) {
        FRestoring = false;
        throw;
    }
    FRestoring = false;
    FDocument.SetSize(pxImage1->Bitmap().width(), pxImage1->Bitmap().height());
    UpdateImageActions();
    UpdatePanelEnabling();
}

void TKalvoMainForm::acMergePasteExecute()
{
    if (!pxImage1->HasImage() || pxImage1->MouseMode() == mmMerge)
        return;
    // Decoded before the conversion is offered, so that an unreadable clipboard converts nothing.
    const TBitmap picture = GetBitmapFromClipboard();
    TRegionRef shape = GetRegionFromClipboard();
    if (shape)
        IntersectRegionWithRect(shape, TRegionRef(*shape), {0, 0, picture.width(), picture.height()});
    if (!RequireTrueColor())
        return;
    pxImage1->PasteMerge(picture, shape);
    pxImage1->setFocus();
    UpdatePanelEnabling();
}

void TKalvoMainForm::acCopyRegionExecute()
{
    if (pxImage1->Region())
        PutRegionOnClipboard(*pxImage1->Region());
}

void TKalvoMainForm::acPasteRegionExecute()
{
    CancelPendingFloat();
    PasteRegionFromClipboard(*pxImage1);
}

} // namespace kalvo
