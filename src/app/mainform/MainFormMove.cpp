// Moves and floating pastes in the main window: Apply and Cancel, the undo steps the canvas's
// move and merge events record, the keys the window takes for itself (Enter, Escape and the
// arrow keys) and the Apply/Cancel enabling that follows the mouse buttons.
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace kalvo {

namespace {

// Sees every key press of the application first and hands those meant for this window's
// widgets to the window.
class TWindowKeyFilter : public QObject {
public:
    TWindowKeyFilter(QWidget* window, std::function<bool(QKeyEvent*)> handle)
        : QObject(window), FWindow(window), FHandle(std::move(handle))
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        if (static_cast<QWidget*>(watched)->window() != FWindow)
            return false;
        return FHandle(static_cast<QKeyEvent*>(event));
    }

private:
    QWidget* FWindow;
    std::function<bool(QKeyEvent*)> FHandle;
};

} // namespace

void TKalvoMainForm::connectMoves()
{
    // Apply and Cancel follow the floating modes; the selection rules enable the two move modes
    // and switch to rectangle selection when the selection goes (UpdateRegionActions).
    Action("acApply")->setEnabled(false);
    Action("acCancel")->setEnabled(false);
    connect(pxImage1, &TpxImage::OnMoveRegion, this, [this](int, int) {
        RunCommand([this] {
            if (FRegionMoveRecorded)
                return;
            PushUndo(QStringLiteral("選択範囲の移動"), kUndoRegion);
            FRegionMoveRecorded = true;
        });
    });
    connect(pxImage1, &TpxImage::OnMovingSelectArea, this, [this] {
        PushUndoArea(QStringLiteral("選択領域の移動/複写"), kUndoImageAndRegion, pxImage1->PaintNoticeArea());
    });
    connect(pxImage1, &TpxImage::OnMerge, this,
            [this] { PushUndoArea(QStringLiteral("合成"), kUndoImage, pxImage1->PaintNoticeArea()); });
    connect(pxImage1, &TpxImage::OnMouseModeChange, this, [this] {
        const bool merging = pxImage1->MouseMode() == mmMerge;
        Action("acApply")->setEnabled(merging);
        Action("acCancel")->setEnabled(merging);
    });
    connect(pxImage1, &TpxImage::OnMousedown, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        if (button == Qt::LeftButton)
            FLeftButtonDown = true;
        else if (button == Qt::RightButton)
            FRightButtonDown = true;
        // Pressing: only the right button alone (for the Apply/Cancel popup) keeps them.
        updateFloatActionsAfterMouse(FRightButtonDown && !FLeftButtonDown);
    });
    connect(pxImage1, &TpxImage::OnMouseUp, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        if (button == Qt::LeftButton)
            FLeftButtonDown = false;
        else if (button == Qt::RightButton)
            FRightButtonDown = false;
        updateFloatActionsAfterMouse(true);
    });
    FWindowKeyFilter = new TWindowKeyFilter(this, [this](QKeyEvent* e) { return handleWindowKey(e); });
    qApp->installEventFilter(FWindowKeyFilter);
}

void TKalvoMainForm::updateFloatActionsAfterMouse(bool allowed)
{
    const TMouseMode mode = pxImage1->MouseMode();
    if (mode != mmMoveSelectArea && mode != mmMerge)
        return;
    const bool on = allowed && (mode == mmMerge || pxImage1->FloatPosition() != QPoint(0, 0));
    Action("acApply")->setEnabled(on);
    Action("acCancel")->setEnabled(on);
}

bool TKalvoMainForm::handleWindowKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!Action("acApply")->isEnabled())
            return false;
        Action("acApply")->trigger();
        return true;
    case Qt::Key_Escape:
        if (!Action("acCancel")->isEnabled())
            return false;
        Action("acCancel")->trigger();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
        const int dx = event->key() == Qt::Key_Left ? -step : event->key() == Qt::Key_Right ? step : 0;
        const int dy = event->key() == Qt::Key_Up ? -step : event->key() == Qt::Key_Down ? step : 0;
        RunCommand([this, dx, dy] { pxImage1->MoveRegionBy(dx, dy); });
        return true;
    }
    default: return false;
    }
}

void TKalvoMainForm::acApplyExecute()
{
    Action("acApply")->setEnabled(false);
    Action("acCancel")->setEnabled(false);
    pxImage1->ApplyOperation();
}

void TKalvoMainForm::acCancelExecute()
{
    Action("acApply")->setEnabled(false);
    Action("acCancel")->setEnabled(false);
    pxImage1->CancelOperation();
}

void TKalvoMainForm::CancelPendingFloat()
{
    const TMouseMode mode = pxImage1->MouseMode();
    if (Action("acCancel")->isEnabled() || ((mode == mmMoveSelectArea || mode == mmMerge) && FLeftButtonDown)) {
        Action("acCancel")->setEnabled(true);
        Action("acCancel")->trigger();
    }
}

} // namespace kalvo
