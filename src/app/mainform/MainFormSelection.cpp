// The mouse-mode actions (one exclusive group that follows the canvas's mode back) and the
// Selection menu's commands: select all, invert, remove, hide the outline; the undo step before
// every selection change and the enabling of the actions that need a selection.
#include "app/mainform/MainForm.h"
#include "app/commands/Enabling.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QRegularExpression>

#include <algorithm>

namespace kalvo {

void TKalvoMainForm::createSelectionActions()
{
    FModeActionGroup = new QActionGroup(this);
    // Optional: a mode without an action (point picking) leaves every action unchecked; a
    // click on the checked action is checked again by MouseModeChange.
    FModeActionGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    struct TModeItem {
        QAction** Action;
        const char* Name;
        const char* Caption;
        TMouseMode Mode;
    };
    const TModeItem modes[] = {
        {&acHandScroll, "acHandScroll", "手のひらスクロール(&H)", mmNeko},
        {&acZoom, "acZoom", "ズーム(&Z)", mmZoom},
        {&acSelectRect, "acSelectRect", "四角形選択(&R)", mmSelectRect},
        {&acSelectEllipse, "acSelectEllipse", "円形選択(&E)", mmSelectEllipse},
        {&acSelectRegion, "acSelectRegion", "自由選択(&F)", mmSelectRegion},
        {&acSelectMagicWand, "acSelectMagicWand", "色域選択(&C)", mmSelectMagicWand},
    };
    for (const TModeItem& item : modes) {
        const QString caption = QString::fromUtf8(item.Caption);
        const QString hint = QString(caption).remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(item.Name));
        action->setStatusTip(hint);
        action->setToolTip(hint);
        *item.Action = action;
        addModeAction(action, item.Mode);
    }
    acHandScroll->setChecked(true);

    acSelectAll = makeAction(QStringLiteral("すべて選択(&A)"), QStringLiteral("すべて選択"),
                             QKeySequence(Qt::CTRL | Qt::Key_A), &TKalvoMainForm::acSelectAllExecute);
    acSelectAll->setObjectName(QStringLiteral("acSelectAll"));
    acInvertRegion = makeAction(QStringLiteral("選択範囲の反転(&R)"), QStringLiteral("選択範囲の反転"),
                                QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_I),
                                &TKalvoMainForm::acInvertRegionExecute);
    acInvertRegion->setObjectName(QStringLiteral("acInvertRegion"));
    acDeleteRegion = makeAction(QStringLiteral("選択範囲の消去(&E)"), QStringLiteral("選択範囲の消去"),
                                QKeySequence(Qt::CTRL | Qt::Key_D), &TKalvoMainForm::acDeleteRegionExecute);
    acDeleteRegion->setObjectName(QStringLiteral("acDeleteRegion"));
    acHideRegion = makeAction(QStringLiteral("選択枠を隠す(&H)"), QStringLiteral("選択枠を隠す"),
                              QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_M), &TKalvoMainForm::acHideRegionExecute);
    acHideRegion->setObjectName(QStringLiteral("acHideRegion"));
    acHideRegion->setCheckable(true);
    for (QAction* action : {acSelectAll, acInvertRegion, acDeleteRegion, acHideRegion})
        addAction(action); // shortcuts work before (and without) a menu showing the action

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
    connect(action, &QAction::triggered, this, [this, action] { RunCommand([this, action] { MouseModeChange(action); }); });
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
    if (pxImage1->Region() || !acSelectRect)
        return;
    for (const char* name : {"acMoveRegion", "acMoveSelectArea"}) {
        QAction* action = ActionByName(QString::fromLatin1(name));
        if (action && action->isChecked()) {
            MouseModeChange(acSelectRect);
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
    pxImage1->SetShowRegion(!acHideRegion->isChecked());
}

} // namespace kalvo
