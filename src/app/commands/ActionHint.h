#pragma once
// Hints of the actions: a hint "short|long" shows its short part as the tool tip and its long
// part in the status bar; a hint without a bar serves for both. An action without a hint gets
// its caption (accelerator and ellipsis removed) as the tool tip and no status-bar text.
#include <QString>

class QAction;

namespace kalvo {

// The caption without its accelerator ("(&X)", a bare "&X", "&&" kept as "&") and without a
// trailing ellipsis: "開く(&O)..." gives "開く".
QString PlainCaption(const QString& caption);

struct THintParts {
    QString toolTip;
    QString statusTip;
};

THintParts SplitHint(const QString& caption, const QString& hint);

// Sets the tool tip and the status tip of action from hint (always both, so Qt never derives a
// tool tip of its own from the caption).
void ApplyHint(QAction* action, const QString& hint);

} // namespace kalvo
