// The mouse-mode actions (one exclusive group that follows the canvas's mode back) and the
// Selection menu's commands: select all, invert, remove, hide the outline; the undo step before
// every selection change and the enabling of the actions that need a selection.
#include "app/commands/Enabling.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <algorithm>

namespace kalvo {

void TKalvoMainForm::connectSelection()
{
    Action("acHandScroll")->setChecked(true);
    connect(pxImage1, &TpxImage::OnMouseModeChange, this, &TKalvoMainForm::pxImage1MouseModeChange);
    connect(pxImage1, &TpxImage::OnRegionChange, this, &TKalvoMainForm::pxImage1RegionChange);
    // The enabling is computed once the new selection is in place.
    connect(pxImage1, &TpxImage::OnRegionChanged, this, &TKalvoMainForm::UpdateRegionActions);
    connect(pxImage1, &TpxImage::OnRegionDeleted, this, &TKalvoMainForm::UpdateRegionActions);
}

void TKalvoMainForm::addModeAction(QAction* action, TMouseMode mode)
{
    if (!action)
        return;
    action->setCheckable(true);
    FModeActionGroup->addAction(action);
    addAction(action);
    std::erase_if(FModeActions, [action](const auto& entry) { return entry.first == action; });
    FModeActions.emplace_back(action, mode);
    connect(action, &QAction::triggered, this,
            [this, action] { RunCommand([this, action] { MouseModeChange(action); }); });
    if (pxImage1 && ModeAction(pxImage1->MouseMode()) == action)
        action->setChecked(true);
}

QAction* TKalvoMainForm::ModeAction(TMouseMode mode) const
{
    const auto find = [this](TMouseMode m) -> QAction* {
        for (const auto& [action, registered] : FModeActions)
            if (registered == m)
                return action;
        return nullptr;
    };
    QAction* action = find(mode);
    // One pen action stands for both pen modes unless the straight line has its own.
    if (!action && mode == mmPenLine)
        action = find(mmPenFreehand);
    return action;
}

void TKalvoMainForm::MouseModeChange(QObject* sender)
{
    const auto it = std::find_if(FModeActions.begin(), FModeActions.end(),
                                 [sender](const auto& entry) { return entry.first == sender; });
    if (it == FModeActions.end())
        return;
    TMouseMode mode = it->second;
    if (mode == mmPenFreehand && ModeAction(mmPenLine) == it->first)
        mode = FPenMode == mmPenLine ? mmPenLine : mmPenFreehand;
    pxImage1->SetMouseMode(mode);
    // The canvas reports nothing when the mode stays: keep the check where it was.
    pxImage1MouseModeChange();
    UpdatePropertyPanel();
}

void TKalvoMainForm::pxImage1MouseModeChange()
{
    const TMouseMode mode = pxImage1->MouseMode();
    if (QAction* action = ModeAction(mode)) {
        action->setChecked(true);
    } else if (QAction* checked = FModeActionGroup->checkedAction()) {
        // A mode without an action (point picking, none): no mode action is checked.
        checked->setChecked(false);
    }
    // Apply and Cancel follow the mode in the move commands' own handler.
    // The canvas's popup: none for free-hand, zoom, fill and picker; Apply/Cancel for the floating
    // modes; the mouse-mode menu otherwise.
    QMenu* popup = MouseModeMenu;
    switch (mode) {
    case mmSelectRegion:
    case mmZoom:
    case mmPaint:
    case mmSpoit: popup = nullptr; break;
    case mmMoveSelectArea:
    case mmMerge: popup = ApplyCancelMenu; break;
    default: break;
    }
    pxImage1->SetPopupMenu(popup);
}

void TKalvoMainForm::pxImage1RegionChange()
{
    // Undo and redo restore selections without recording them.
    if (!FRestoring)
        PushUndo(QStringLiteral("選択範囲の変更"), kUndoRegion);
}

void TKalvoMainForm::dropSelectionForNewDocument()
{
    // The previous document's selection is not an undo step of the new one.
    const bool restoring = FRestoring;
    FRestoring = true;
    pxImage1->DeleteSelection();
    FRestoring = restoring;
    UpdateRegionActions();
}

void TKalvoMainForm::UpdateRegionActions()
{
    ApplyEnablingTable(RegionEnablingRules());
    if (pxImage1->Region() || !Action("acSelectRect"))
        return;
    for (const char* name : {"acMoveRegion", "acMoveSelectArea"}) {
        QAction* action = ActionByName(QString::fromLatin1(name));
        if (action && action->isChecked()) {
            MouseModeChange(Action("acSelectRect"));
            break;
        }
    }
}

void TKalvoMainForm::acSelectAllExecute()
{
    pxImage1->SelectAll();
}

void TKalvoMainForm::acInvertRegionExecute()
{
    pxImage1->InvertSelection();
}

void TKalvoMainForm::acDeleteRegionExecute()
{
    pxImage1->DeleteSelection();
    UpdateRegionActions();
}

void TKalvoMainForm::acHideRegionExecute()
{
    pxImage1->SetShowRegion(!Action("acHideRegion")->isChecked());
}

} // namespace kalvo
