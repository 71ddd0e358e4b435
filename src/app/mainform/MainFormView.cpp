// The view commands of the main window: zoom in and out by steps, 100 %, fit to window and the
// zoom presets (on the zoom tool bar), the property window toggle and full screen.
#include "app/mainform/MainForm.h"
#include "app/controls/NumericEdit.h"
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
    acZoomIn = makeAction(QStringLiteral("ズームイン(&I)"), QStringLiteral("ズームイン"),
                          QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), &TKalvoMainForm::acZoomInExecute);
    acZoomIn->setObjectName(QStringLiteral("acZoomIn"));
    acZoomOut = makeAction(QStringLiteral("ズームアウト(&O)"), QStringLiteral("ズームアウト"),
                           QKeySequence(Qt::KeypadModifier | Qt::Key_Minus), &TKalvoMainForm::acZoomOutExecute);
    acZoomOut->setObjectName(QStringLiteral("acZoomOut"));
    acZoom100 = makeAction(QStringLiteral("等倍"), QStringLiteral("等倍表示"), QKeySequence(Qt::Key_F10),
                           &TKalvoMainForm::acZoom100Execute);
    acZoom100->setObjectName(QStringLiteral("acZoom100"));
    acZoomAuto = makeAction(QStringLiteral("自動"), QStringLiteral("ウィンドウの大きさに合わせる"),
                            QKeySequence(), &TKalvoMainForm::acZoomAutoExecute);
    acZoomAuto->setObjectName(QStringLiteral("acZoomAuto"));
    acZoomAuto->setCheckable(true);
    acZoomMenu = makeAction(QStringLiteral("ズーム(&Z)"), QStringLiteral("ズーム"), QKeySequence(),
                            &TKalvoMainForm::acZoomMenuExecute);
    acZoomMenu->setObjectName(QStringLiteral("acZoomMenu"));

    acShowProperty = makeAction(QStringLiteral("プロパティウィンドウ（&P)"), QString(), QKeySequence(),
                                &TKalvoMainForm::acShowPropertyExecute);
    acShowProperty->setObjectName(QStringLiteral("acShowProperty"));
    acShowProperty->setCheckable(true);

    ZoomPresetMenu = new QMenu(QStringLiteral("ズーム(&Z)"), this);
    ZoomPresetMenu->setObjectName(QStringLiteral("ZoomPresetMenu"));
    for (int zoom : kZoomPresets) {
        if (zoom == 100) {
            ZoomPresetMenu->addAction(acZoom100);
            continue;
        }
        QAction* item = ZoomPresetMenu->addAction(QString::number(zoom));
        item->setData(zoom);
        connect(item, &QAction::triggered, this, [this, zoom] { pxImage1->SetZoom(zoom); });
    }

    acViewMaximumSize = makeAction("acViewMaximumSize", QStringLiteral("全画面表示(&A)"), QStringLiteral("全画面表示"),
                                   QKeySequence(Qt::Key_F11), &TKalvoMainForm::acViewMaximumSizeExecute);
    acViewMaximumSize->setCheckable(true);

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
        action = acZoomIn;
    else if (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Minus)
        action = acZoomOut;
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
    pxImage1->SetAutoStretch(acZoomAuto->isChecked());
    pxImage1ZoomChanged(pxImage1->Zoom());
}

void TKalvoMainForm::acViewMaximumSizeExecute()
{
    // Full screen has no border and covers the screen; leaving it restores the sizeable window.
    if (acViewMaximumSize->isChecked())
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
    acZoomIn->setEnabled(fixed);
    acZoomOut->setEnabled(fixed);
    acZoom100->setEnabled(fixed);
    acZoomMenu->setEnabled(fixed);
    for (QAction* item : ZoomPresetMenu->actions())
        item->setEnabled(fixed);
    acZoomAuto->setChecked(pxImage1->AutoStretch());
    if (edtZoom) {
        // The edit limits what it shows to its range (a fitted zoom above 3000 shows 3000).
        const QScopedValueRollback<bool> byProgram(FZoomEditByProgram, true);
        edtZoom->setEnabled(fixed);
        edtZoom->SetValue(pxImage1->Zoom());
    }
}

} // namespace kalvo
