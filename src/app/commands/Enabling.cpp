#include "app/commands/Enabling.h"

#include <QAction>

namespace kalvo {

namespace {

bool image(const TDocumentState& s) { return s.hasImage; }
bool paletteImage(const TDocumentState& s)
{
    return s.hasImage && (s.bitCount == 1 || s.bitCount == 4 || s.bitCount == 8);
}
bool trueColor(const TDocumentState& s) { return s.hasImage && s.bitCount == 24; }
bool atLeast8(const TDocumentState& s) { return s.hasImage && s.bitCount >= 8; }
bool atLeast4(const TDocumentState& s) { return s.hasImage && s.bitCount >= 4; }
bool below24(const TDocumentState& s) { return s.hasImage && s.bitCount < 24; }
bool below8(const TDocumentState& s) { return s.hasImage && s.bitCount < 8; }
bool below4(const TDocumentState& s) { return s.hasImage && s.bitCount < 4; }
bool jpeg(const TDocumentState& s) { return s.hasImage && s.jpegFile; }
bool selection(const TDocumentState& s) { return s.hasSelection; }
bool trueColorSelection(const TDocumentState& s) { return s.hasSelection && s.hasImage && s.bitCount == 24; }
bool pasteable(const TDocumentState& s) { return s.clipboardHasPicture; }
bool mergePasteable(const TDocumentState& s) { return s.clipboardHasPicture && s.hasImage; }
bool regionPasteable(const TDocumentState& s) { return s.clipboardHasRegion && s.hasImage; }
bool canUndo(const TDocumentState& s) { return s.undoCount > 0 && s.undoPos > 0; }
bool canRedo(const TDocumentState& s) { return s.undoCount > 0 && s.undoPos < s.undoCount - 1; }

constexpr TEnablingRule kImageRules[] = {
    {"acCopy", image}, {"acSaveAs", image}, {"acSave", image}, {"acSelectAll", image},
    {"acHideRegion", image}, {"acPaint", image}, {"acSpoit", image}, {"acPen", image},
    {"acBrush", image}, {"acPaletteImport", image}, {"acResize", image}, {"acColorCount", image},
    {"acPaletteExport", paletteImage}, {"acPaletteEdit", paletteImage},
    {"acNegativeImage", trueColor}, {"acReduce8bitColor", trueColor},
    {"acBrightnessContrast", trueColor}, {"acHueSaturation", trueColor}, {"acLevels", trueColor},
    {"acGaussianBlur", trueColor}, {"acSharpen", trueColor}, {"acGrayscale", trueColor},
    {"acReduce4bitColor", atLeast8},
    {"acReduce1bitColor", atLeast4},
    {"acEnlarge24bitColors", below24},
    {"acEnlarge8bitColors", below8},
    {"acEnlarge4bitColors", below4},
    {"acLoassLessJpeg", jpeg},
};

constexpr TEnablingRule kRegionRules[] = {
    {"acMoveRegion", selection}, {"acMoveSelectArea", selection}, {"acInvertRegion", selection},
    {"acDeleteRegion", selection}, {"acCopyRegion", selection}, {"acCut", selection},
    {"acClear", selection}, {"acDrawRegion", selection},
    {"acDropShadow", trueColorSelection}, {"acObscureRegion", trueColorSelection},
};

constexpr TEnablingRule kUndoRules[] = {
    {"acUndo", canUndo},
    {"acRedo", canRedo},
};

constexpr TEnablingRule kClipboardRules[] = {
    {"acPaste", pasteable},
    {"acPasteRegion", regionPasteable},
    {"acMergePaste", mergePasteable},
};

} // namespace

std::span<const TEnablingRule> ImageEnablingRules() { return kImageRules; }
std::span<const TEnablingRule> RegionEnablingRules() { return kRegionRules; }
std::span<const TEnablingRule> UndoEnablingRules() { return kUndoRules; }
std::span<const TEnablingRule> ClipboardEnablingRules() { return kClipboardRules; }

void ApplyEnabling(std::span<const TEnablingRule> rules, const TDocumentState& state,
                   const std::function<QAction*(const QString&)>& lookup)
{
    for (const TEnablingRule& rule : rules)
        if (QAction* action = lookup(QLatin1String(rule.action)))
            action->setEnabled(rule.enabled(state));
}

} // namespace kalvo
