// The undo and redo history of the main window: recording snapshots, undo, redo, the enabling of
// both and the idle swap of old snapshots into temporary files.
#include "app/mainform/MainForm.h"
#include "app/commands/Enabling.h"
#include "app/controls/IdleTime.h"
#include "canvas/PxImage.h"
#include "image/BlockMemory.h"
#include "image/ImageErrors.h"

#include <QAction>

namespace kalvo {

void TKalvoMainForm::UpdateUndoActions()
{
    ApplyEnablingTable(UndoEnablingRules());
    UpdateImageActions();
}

void TKalvoMainForm::ClearUndoHistory()
{
    ClearUndoItems(FUndoList);
    // A new document: the spare buffer kept for the old picture's size goes back to the system.
    ReleaseSpareBlock();
    FUndoPos = 0;
    UpdateUndoActions();
}

void TKalvoMainForm::appendSnapshot(const QString& description, const TBitmap* image, TBitmap* take,
                                    bool withRegion, bool modified)
{
    const TRegionRef* region = withRegion ? &pxImage1->Region() : nullptr;
    const TBitmap* mask = withRegion && pxImage1->SelectionMask() ? &*pxImage1->SelectionMask() : nullptr;
    const std::string text = description.toStdString();
    // Memory exhausted: move every snapshot into temporary files and try again while that frees
    // anything.
    auto add = [&] {
        return take ? AddUndoItemTaking(FUndoList, text, *take, mask, region, withRegion, modified)
                    : AddUndoItem(FUndoList, text, image, mask, region, withRegion, modified);
    };
    while (!add()) {
        if (SwapOutUndoItems(FUndoList, 0) == 0)
            throw EPxImageError("Except on AddUndoItem.");
    }
}

void TKalvoMainForm::PushUndo(const QString& description, int kind, const TBitmap* image)
{
    recordStep(description, kind, image, nullptr);
}

void TKalvoMainForm::PushUndoTaking(const QString& description, int kind, TBitmap& image)
{
    recordStep(description, kind, nullptr, &image);
}

void TKalvoMainForm::recordStep(const QString& description, int kind, const TBitmap* image, TBitmap* take)
{
    FRegionMoveRecorded = false;
    if (!pxImage1->HasImage())
        return;
    pxImage1->BeginBusy();
    try {
        DeleteUndoItems(FUndoList, FUndoPos, int(FUndoList.size()) - 1);
        bool withImage = kind == kUndoImage || kind == kUndoImageAndRegion;
        bool withRegion = kind == kUndoRegion || kind == kUndoImageAndRegion;
        // Chaining: a redo always restores every part its neighbouring step restores.
        if (!FUndoList.empty()) {
            const TUndoItem& last = *FUndoList.back();
            if (kind == kUndoImage && last.HasRegion)
                withRegion = true;
            if (kind == kUndoRegion && last.HasImage)
                withImage = true;
        }
        const TBitmap* recorded = withImage && !take ? (image ? image : &pxImage1->Bitmap()) : nullptr;
        appendSnapshot(description, recorded, withImage ? take : nullptr, withRegion, FDocument.Modified());
        FUndoPos = int(FUndoList.size());
        if (kind == kUndoImage || kind == kUndoImageAndRegion)
            FDocument.SetModified(true);
        const int maxUndo = std::max(FMaxUndo, 0);
        const int excess = int(FUndoList.size()) - maxUndo;
        if (excess > 0) {
            FUndoPos -= excess;
            DeleteUndoItems(FUndoList, 0, excess - 1);
        }
    } catch (...) {
        // A failed recording never leaves the position beyond the list.
        FUndoPos = std::min(FUndoPos, int(FUndoList.size()));
        pxImage1->EndBusy();
        UpdateUndoActions();
        throw;
    }
    pxImage1->EndBusy();
    UpdateUndoActions();
}

void TKalvoMainForm::restoreItem(int index, bool forRedo)
{
    TBitmap image;
    std::optional<TBitmap> mask;
    TRegionRef region;
    bool modified = false;
    const TUndoParts parts = GetUndoItem(FUndoList, index, image, mask, region, modified);
    const bool before = FDocument.Modified();
    FDocument.SetModified(forRedo ? modified : (modified || FDocument.SavedSinceLoad()));
    bool imageRestored = false;
    if (!forRedo && FUndoPos == int(FUndoList.size())) {
        // The step for redo takes the current image over while the canvas gets the restored one;
        // should the step fail, the canvas gets its image back.
        TBitmap current;
        try {
            if (parts.Image) {
                current = pxImage1->ExchangeBitmap(std::move(image));
                imageRestored = true;
            }
            appendSnapshot(QStringLiteral("For redo."), nullptr, imageRestored ? &current : nullptr, parts.Region,
                           before);
        } catch (...) {
            if (imageRestored)
                pxImage1->ExchangeBitmap(std::move(current));
            FDocument.SetModified(before);
            throw;
        }
    }
    FUndoPos += forRedo ? 1 : -1;
    if (parts.Image && !imageRestored)
        pxImage1->SetBitmap(std::move(image));
    if (parts.Region) {
        pxImage1->SetRegion(region);
        if (mask)
            pxImage1->SetSelectionMask(*mask);
    }
}

void TKalvoMainForm::runRestore(bool forRedo)
{
    FRestoring = true;
    pxImage1->BeginBusy();
    try {
        restoreItem(forRedo ? FUndoPos + 1 : FUndoPos - 1, forRedo);
    } catch (...) {
        pxImage1->EndBusy();
        UpdateUndoActions();
        FRestoring = false;
        throw;
    }
    pxImage1->EndBusy();
    UpdateUndoActions();
    FRestoring = false;
}

void TKalvoMainForm::acUndoExecute()
{
    CancelPendingFloat();
    if (FUndoList.empty())
        return;
    if (FLeftButtonDown || FUndoPos - 1 < 0)
        return;
    runRestore(false);
}

void TKalvoMainForm::acRedoExecute()
{
    CancelPendingFloat();
    if (FUndoList.empty() || FUndoPos >= int(FUndoList.size()) - 1)
        return;
    runRestore(true);
}

void TKalvoMainForm::pxIdleTime1Interval()
{
    // The detector reports every 100 ms while idle: a swap that failed waits for the next idle
    // period, so that its message shows once.
    const quint32 idleSince = TpxIdleTime::Tick() - pxIdleTime1->IdleTime();
    if (FIdleSwapFailed && idleSince == FIdleSwapFailedSince)
        return;
    FIdleSwapFailed = false;
    try {
        SwapOutUndoItems(FUndoList, 3);
    } catch (...) {
        FIdleSwapFailed = true;
        FIdleSwapFailedSince = idleSince;
        throw;
    }
}

} // namespace kalvo
