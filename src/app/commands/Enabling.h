#pragma once
// Which commands are enabled, computed from the document state alone: the rules the command
// registry gives its entries (Command.h), gathered into one table per occasion. A rule whose
// action does not exist is skipped.
#include <QString>

#include <functional>
#include <span>

class QAction;

namespace kalvo {

struct TDocumentState {
    bool hasImage = false;
    int bitCount = 0;      // 0 without an image
    bool jpegFile = false; // the file name's extension is .jpg, .jpe or .jpeg
    bool hasSelection = false;
    int undoCount = 0;
    int undoPos = 0;
    bool clipboardHasPicture = false; // the clipboard offers a picture Paste can read
    bool clipboardHasRegion = false;  // the clipboard offers a selection shape
};

// The rules commands use.
namespace enabling {
bool HasImage(const TDocumentState& s);
bool PaletteImage(const TDocumentState& s); // 1, 4 or 8 bits
bool TrueColor(const TDocumentState& s);
bool AtLeast8Bits(const TDocumentState& s);
bool AtLeast4Bits(const TDocumentState& s);
bool Below24Bits(const TDocumentState& s);
bool Below8Bits(const TDocumentState& s);
bool Below4Bits(const TDocumentState& s);
bool JpegFile(const TDocumentState& s);
bool HasSelection(const TDocumentState& s);
bool TrueColorSelection(const TDocumentState& s);
bool Pasteable(const TDocumentState& s);
bool MergePasteable(const TDocumentState& s);
bool RegionPasteable(const TDocumentState& s);
bool CanUndo(const TDocumentState& s);
bool CanRedo(const TDocumentState& s);
} // namespace enabling

struct TEnablingRule {
    const char* action;
    bool (*enabled)(const TDocumentState& s);
};

// After every image change (open, new, undo, redo, depth change, save).
std::span<const TEnablingRule> ImageEnablingRules();
// After every selection change.
std::span<const TEnablingRule> RegionEnablingRules();
// After every change of the undo history.
std::span<const TEnablingRule> UndoEnablingRules();
// After every change of the clipboard, and with the image table (Merge paste and Paste
// selection also need an image).
std::span<const TEnablingRule> ClipboardEnablingRules();

void ApplyEnabling(std::span<const TEnablingRule> rules, const TDocumentState& state,
                   const std::function<QAction*(const QString&)>& lookup);

} // namespace kalvo
