// The enabling of the main window's commands from the document state (commands/Enabling.h).
#include "app/commands/Enabling.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/FileExtension.h"

#include <QAction>

namespace kalvo {

TDocumentState TKalvoMainForm::DocumentState() const
{
    TDocumentState s;
    s.hasImage = pxImage1->HasImage();
    s.bitCount = pxImage1->BitCount();
    s.jpegFile = FormatFromFileName(FDocument.Info().FileName) == TImageFormat::Jpeg;
    s.hasSelection = bool(pxImage1->Region());
    s.undoCount = int(FUndoList.size());
    s.undoPos = FUndoPos;
    s.clipboardHasPicture = FClipboardHasPicture;
    s.clipboardHasRegion = FClipboardHasRegion;
    return s;
}

void TKalvoMainForm::ApplyEnablingTable(std::span<const TEnablingRule> rules)
{
    ApplyEnabling(rules, DocumentState(), [this](const QString& n) { return ActionByName(n); });
}

void TKalvoMainForm::UpdateImageActions()
{
    ApplyEnablingTable(ImageEnablingRules());
    // Merge paste and Paste selection also need an image: they follow open, new and close.
    ApplyEnablingTable(ClipboardEnablingRules());
    UpdatePanelEnabling();
}

} // namespace kalvo
