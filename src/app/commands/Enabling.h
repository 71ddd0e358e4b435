#pragma once
// Which commands are enabled, computed from the document state alone, as tables of action
// names and rules. A rule whose action does not exist is skipped.
#include <QString>

#include <functional>
#include <span>

class QAction;

namespace kalvo {

struct TDocumentState {
    bool hasImage = false;
    int bitCount = 0; // 0 without an image
    bool jpegFile = false; // the file name's extension is .jpg, .jpe or .jpeg
    bool hasSelection = false;
    int undoCount = 0;
    int undoPos = 0;
    bool clipboardHasPicture = false; // the clipboard offers a picture Paste can read
    bool clipboardHasRegion = false; // the clipboard offers a selection shape
};

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
