#include "app/commands/Enabling.h"
#include "app/commands/Command.h"

#include <QAction>

#include <vector>

namespace kalvo {

namespace enabling {

bool HasImage(const TDocumentState& s)
{
    return s.hasImage;
}
bool PaletteImage(const TDocumentState& s)
{
    return s.hasImage && (s.bitCount == 1 || s.bitCount == 4 || s.bitCount == 8);
}
bool TrueColor(const TDocumentState& s)
{
    return s.hasImage && s.bitCount == 24;
}
bool AtLeast8Bits(const TDocumentState& s)
{
    return s.hasImage && s.bitCount >= 8;
}
bool AtLeast4Bits(const TDocumentState& s)
{
    return s.hasImage && s.bitCount >= 4;
}
bool Below24Bits(const TDocumentState& s)
{
    return s.hasImage && s.bitCount < 24;
}
bool Below8Bits(const TDocumentState& s)
{
    return s.hasImage && s.bitCount < 8;
}
bool Below4Bits(const TDocumentState& s)
{
    return s.hasImage && s.bitCount < 4;
}
bool JpegFile(const TDocumentState& s)
{
    return s.hasImage && s.jpegFile;
}
bool HasSelection(const TDocumentState& s)
{
    return s.hasSelection;
}
bool TrueColorSelection(const TDocumentState& s)
{
    return s.hasSelection && s.hasImage && s.bitCount == 24;
}
bool Pasteable(const TDocumentState& s)
{
    return s.clipboardHasPicture;
}
bool MergePasteable(const TDocumentState& s)
{
    return s.clipboardHasPicture && s.hasImage;
}
bool RegionPasteable(const TDocumentState& s)
{
    return s.clipboardHasRegion && s.hasImage;
}
bool CanUndo(const TDocumentState& s)
{
    return s.undoCount > 0 && s.undoPos > 0;
}
bool CanRedo(const TDocumentState& s)
{
    return s.undoCount > 0 && s.undoPos < s.undoCount - 1;
}

} // namespace enabling

namespace {

std::vector<TEnablingRule> rulesOn(TEnableOn on)
{
    std::vector<TEnablingRule> rules;
    for (const TCommand& c : Commands())
        if (c.enableOn == on && c.enabled)
            rules.push_back({c.name, c.enabled});
    return rules;
}

} // namespace

std::span<const TEnablingRule> ImageEnablingRules()
{
    static const std::vector<TEnablingRule> rules = rulesOn(TEnableOn::Image);
    return rules;
}

std::span<const TEnablingRule> RegionEnablingRules()
{
    static const std::vector<TEnablingRule> rules = rulesOn(TEnableOn::Region);
    return rules;
}

std::span<const TEnablingRule> UndoEnablingRules()
{
    static const std::vector<TEnablingRule> rules = rulesOn(TEnableOn::Undo);
    return rules;
}

std::span<const TEnablingRule> ClipboardEnablingRules()
{
    static const std::vector<TEnablingRule> rules = rulesOn(TEnableOn::Clipboard);
    return rules;
}

void ApplyEnabling(std::span<const TEnablingRule> rules, const TDocumentState& state,
                   const std::function<QAction*(const QString&)>& lookup)
{
    for (const TEnablingRule& rule : rules)
        if (QAction* action = lookup(QLatin1String(rule.action)))
            action->setEnabled(rule.enabled(state));
}

} // namespace kalvo
