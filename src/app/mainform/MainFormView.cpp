// The view commands of the main window: zoom in and out by steps, 100 %, fit to window and the
// zoom presets (on the zoom tool bar), the property window toggle and full screen.
#include "app/controls/NumericEdit.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QWidget>

namespace kalvo {

namespace {

// The zoom preset menu: Tags and captions in order; 100 is acZoom100.
constexpr int kZoomPresets[] = {10, 33, 50, 75, 100, 150, 200, 300, 400, 500, 1000, 1500, 2000};

} // namespace

void TKalvoMainForm::createViewMenu()
{
    ZoomPresetMenu = new QMenu(QStringLiteral("ズーム(&Z)"), this);
    ZoomPresetMenu->setObjectName(QStringLiteral("ZoomPresetMenu"));
    for (int zoom : kZoomPresets) {
        if (zoom == 100) {
            ZoomPresetMenu->addAction(Action("acZoom100"));
            continue;
        }
        QAction* item = ZoomPresetMenu->addAction(QString::number(zoom));
        item->setData(zoom);
        connect(item, &QAction::triggered, this, [this, zoom] { pxImage1->SetZoom(zoom); });
    }

    connect(pxImage1, &TpxImage::OnZoomChanged, this, &TKalvoMainForm::pxImage1ZoomChanged);
    pxImage1ZoomChanged(pxImage1->Zoom());
}

// The zoom actions carry keypad + and - as their shortcuts. Qt's xkb key mapping (X11, Wayland)
// drops the keypad modifier when it matches shortcuts, so there those sequences never fire and the
// key press reaches the window unhandled instead; it runs the same action here. Keys typed into an
// edit are accepted there and never arrive, and the main keyboard's + and - stay unbound.
void TKalvoMainForm::keyPressEvent(QKeyEvent* event)
{
    QAction* action = nullptr;
    if (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Plus)
        action = Action("acZoomIn");
    else if (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Minus)
        action = Action("acZoomOut");
    if (action == nullptr || !action->isEnabled()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    action->trigger();
}

void TKalvoMainForm::acZoomInExecute()
{
    pxImage1->ZoomIn();
}

void TKalvoMainForm::acZoomOutExecute()
{
    pxImage1->ZoomOut();
}

void TKalvoMainForm::acZoom100Execute()
{
    pxImage1->SetZoom(100);
}

void TKalvoMainForm::acZoomAutoExecute()
{
    pxImage1->SetAutoStretch(Action("acZoomAuto")->isChecked());
    pxImage1ZoomChanged(pxImage1->Zoom());
}

void TKalvoMainForm::acViewMaximumSizeExecute()
{
    // Full screen has no border and covers the screen; leaving it restores the sizeable window.
    if (Action("acViewMaximumSize")->isChecked())
        showFullScreen();
    else
        showNormal();
}

void TKalvoMainForm::acZoomMenuExecute()
{
    ZoomPresetMenu->popup(QCursor::pos());
}

void TKalvoMainForm::pxImage1ZoomChanged(int)
{
    // The fixed zoom commands apply only while the image is not fitted to the window.
    const bool fixed = !pxImage1->AutoStretch();
    Action("acZoomIn")->setEnabled(fixed);
    Action("acZoomOut")->setEnabled(fixed);
    Action("acZoom100")->setEnabled(fixed);
    Action("acZoomMenu")->setEnabled(fixed);
    for (QAction* item : ZoomPresetMenu->actions())
        item->setEnabled(fixed);
    Action("acZoomAuto")->setChecked(pxImage1->AutoStretch());
    if (edtZoom) {
        // The edit limits what it shows to its range (a fitted zoom above 3000 shows 3000).
        const QScopedValueRollback<bool> byProgram(FZoomEditByProgram, true);
        edtZoom->setEnabled(fixed);
        edtZoom->SetValue(pxImage1->Zoom());
    }
}

} // namespace kalvo
