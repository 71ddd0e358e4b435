// The undo and redo history of the main window: recording snapshots, undo, redo, the enabling of
// both and the idle swap of old snapshots into temporary files.
#include "app/commands/Enabling.h"
#include "app/controls/IdleTime.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "image/BlockMemory.h"
#include "image/ImageErrors.h"
#include "image/PixelBox.h"

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

void TKalvoMainForm::appendSnapshot(const QString& description, const TStepPicture& picture, bool withRegion,
                                    bool modified)
{
    const TRegionRef* region = withRegion ? &pxImage1->Region() : nullptr;
    const TBitmap* mask = withRegion && pxImage1->SelectionMask() ? &*pxImage1->SelectionMask() : nullptr;
    const std::string text = description.toStdString();
    // Memory exhausted: move every snapshot into temporary files and try again while that frees
    // anything.
    auto add = [&] {
        if (picture.BoxFrom)
            return AddPartialUndoItem(FUndoList, text, *picture.BoxFrom, picture.Box, mask, region, withRegion,
                                      modified, picture.BoxPixels, picture.Pieces);
        return picture.Take ? AddUndoItemTaking(FUndoList, text, *picture.Take, mask, region, withRegion, modified)
                            : AddUndoItem(FUndoList, text, picture.Image, mask, region, withRegion, modified);
    };
    while (!add()) {
        if (SwapOutUndoItems(FUndoList, 0) == 0)
            throw EPxImageError("Except on AddUndoItem.");
    }
}

void TKalvoMainForm::PushUndo(const QString& description, int kind, const TBitmap* image)
{
    recordStep(description, kind, {.Image = image});
}

void TKalvoMainForm::PushUndoTaking(const QString& description, int kind, TBitmap& image)
{
    recordStep(description, kind, {.Take = &image});
}

namespace {

// A box is worth keeping instead of the whole picture while it covers at most half of it.
bool WorthABox(const TRect& box, const TBitmap& picture)
{
    return 2 * std::int64_t(box.width()) * box.height() <= std::int64_t(picture.width()) * picture.height();
}

} // namespace

void TKalvoMainForm::PushUndoArea(const QString& description, int kind, const std::optional<QRect>& area,
                                  std::span<const TRect> pieces)
{
    if (!area || !pxImage1->HasImage()) {
        PushUndo(description, kind);
        return;
    }
    const TBitmap& picture = pxImage1->Bitmap();
    const QSize stack = StackSize(pieces);
    if (!pieces.empty() && stack.height() <= TBitmap::kMaxDimension
        && WorthABox({0, 0, stack.width(), stack.height()}, picture)) {
        TRect box = pieces.front();
        for (const TRect& piece : pieces)
            box = {std::min(box.left, piece.left), std::min(box.top, piece.top), std::max(box.right, piece.right),
                   std::max(box.bottom, piece.bottom)};
        recordStep(description, kind, {.BoxFrom = &picture, .Box = box, .Pieces = pieces});
        return;
    }
    const TRect box = area->isEmpty()
        ? TRect{}
        : ByteAlignedBox(picture, {area->left(), area->top(), area->right() + 1, area->bottom() + 1});
    if (!WorthABox(box, picture)) {
        PushUndo(description, kind);
        return;
    }
    recordStep(description, kind, {.BoxFrom = &picture, .Box = box});
}

void TKalvoMainForm::PushUndoChange(const QString& description, int kind, TBitmap& before)
{
    const TBitmap& now = pxImage1->Bitmap();
    if (pxImage1->HasImage() && SameLayout(before, now)) {
        const TRect box = ChangedBox(before, now);
        if (WorthABox(box, now)) {
            recordStep(description, kind, {.BoxFrom = &before, .Box = box});
            return;
        }
    }
    PushUndoTaking(description, kind, before);
}

void TKalvoMainForm::PushUndoStroke(const QString& description, int kind, const TStrokeBackup& backup)
{
    const TBitmap& now = pxImage1->Bitmap();
    TStrokeBackup::TChange change = backup.Change(now);
    // A stroke that could paint nothing for want of memory is no step.
    if (change.Pieces.empty() && backup.OutOfMemory())
        return;
    const QSize stack = StackSize(change.Pieces);
    // A long stroke's pieces may not fit one stack: the step then keeps the whole picture.
    const bool stacked = change.Pieces.empty() || !change.Old.empty();
    if (stacked && WorthABox({0, 0, stack.width(), stack.height()}, now)) {
        recordStep(description, kind,
                   {.BoxFrom = &now, .Box = change.Box, .BoxPixels = &change.Old, .Pieces = change.Pieces});
        return;
    }
    change = {};
    TBitmap before = backup.OldPicture(now);
    PushUndoTaking(description, kind, before);
}

void TKalvoMainForm::recordStep(const QString& description, int kind, const TStepPicture& picture)
{
    FRegionMoveRecorded = false;
    if (!pxImage1->HasImage())
        return;
    pxImage1->BeginBusy();
    try {
        DeleteUndoItems(FUndoList, FUndoPos, int(FUndoList.size()) - 1);
        bool withImage = kind == kUndoImage || kind == kUndoImageAndRegion;
        bool withRegion = kind == kUndoRegion || kind == kUndoImageAndRegion;
        // Chaining: a redo always restores the selection its neighbouring step restores. The
        // picture a redo needs after a selection step is kept when the step before is undone.
        if (!FUndoList.empty() && kind == kUndoImage && FUndoList.back()->HasRegion)
            withRegion = true;
        TStepPicture recorded;
        if (withImage && (picture.Take || picture.BoxFrom))
            recorded = picture;
        else if (withImage)
            recorded.Image = picture.Image ? picture.Image : &pxImage1->Bitmap();
        appendSnapshot(description, recorded, withRegion, FDocument.Modified());
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

void TKalvoMainForm::exchangeStepBox(int index)
{
    if (!ExchangeUndoBox(FUndoList, index, pxImage1->PaintBitmap()))
        throw EPxImageError("The undo step does not fit the picture.");
    const TRect& box = FUndoList[std::size_t(index)]->Box;
    pxImage1->BitmapPixelsChanged(QRect(box.left, box.top, box.width(), box.height()));
}

void TKalvoMainForm::restoreItem(int index, bool forRedo)
{
    // The step undone or redone. A partial step exchanges its box with the picture's both ways;
    // any other takes the whole picture of the item restored.
    const int step = forRedo ? index - 1 : index;
    const bool partial = IsPartialUndoItem(FUndoList, step);
    TBitmap image;
    std::optional<TBitmap> mask;
    TRegionRef region;
    bool modified = false;
    const TUndoParts parts = GetUndoItem(FUndoList, index, image, mask, region, modified, !partial);
    // The whole picture a redo into a partial step restores, kept when the step before was undone.
    const bool kept = forRedo && !partial && TakeRedoPicture(FUndoList, index, image);
    const bool wholePicture = parts.Image || kept;
    const bool before = FDocument.Modified();
    FDocument.SetModified(forRedo ? modified : (modified || FDocument.SavedSinceLoad()));
    bool imageRestored = false;
    try {
        if (partial) {
            exchangeStepBox(step);
            imageRestored = true;
        }
        if (!forRedo && FUndoPos == int(FUndoList.size())) {
            // The step for redo takes the current image over while the canvas gets the restored
            // one; should the step fail, the canvas gets its image back.
            TBitmap current;
            bool exchanged = false;
            try {
                if (wholePicture) {
                    current = pxImage1->ExchangeBitmap(std::move(image));
                    exchanged = imageRestored = true;
                }
                appendSnapshot(QStringLiteral("For redo."), {.Take = exchanged ? &current : nullptr}, parts.Region,
                               before);
            } catch (...) {
                if (exchanged)
                    pxImage1->ExchangeBitmap(std::move(current));
                throw;
            }
        } else if (!forRedo && wholePicture && !HoldsWholePicture(FUndoList, index + 1)) {
            // The next item holds no whole picture (a selection step, or a box): the redo of this
            // step needs the current one.
            KeepRedoPicture(FUndoList, index + 1, [&] { return pxImage1->ExchangeBitmap(std::move(image)); });
            imageRestored = true;
        }
        if (wholePicture && !imageRestored)
            pxImage1->SetBitmap(std::move(image));
    } catch (...) {
        if (partial && imageRestored)
            exchangeStepBox(step);
        if (kept && !image.empty())
            KeepRedoPicture(FUndoList, index, [&] { return std::move(image); });
        FDocument.SetModified(before);
        throw;
    }
    FUndoPos += forRedo ? 1 : -1;
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
