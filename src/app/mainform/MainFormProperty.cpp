// The property window: created with the settings, showing the panel of the current mouse mode,
// its controls enabled by the image's bit depth.
#include "app/mainform/MainForm.h"
#include "app/property/FrameBrush.h"
#include "app/property/FrameMerge.h"
#include "app/property/FramePaint.h"
#include "app/property/FramePen.h"
#include "app/property/RollUpWindow.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QRect>

#include <typeinfo>
#include <QMenu>

namespace kalvo {

namespace {

// Which panel class serves a mode; nullptr for modes without settings.
TKVFrameBase* createPanel(TMouseMode mode, TpxImage& canvas, std::function<TMouseMode()> penMode,
                          std::function<void(TMouseMode)> setPenMode)
{
    switch (mode) {
    case mmSelectMagicWand: return new TKVFrameMagicWand(canvas);
    case mmPaint: return new TKVFramePaint(canvas);
    case mmMerge: return new TKVFrameMerge(canvas);
    case mmPenFreehand:
    case mmPenLine: return new TKVFramePen(canvas, std::move(penMode), std::move(setPenMode));
    case mmBrush: return new TKVFrameBrush(canvas);
    default: return nullptr;
    }
}

// The panel on show serves the mode already.
bool panelServes(const TKVFrameBase* panel, TMouseMode mode)
{
    if (!panel)
        return false;
    switch (mode) {
    case mmSelectMagicWand:
        return typeid(*panel) == typeid(TKVFrameMagicWand);
    case mmPaint: return typeid(*panel) == typeid(TKVFramePaint);
    case mmMerge: return typeid(*panel) == typeid(TKVFrameMerge);
    case mmPenFreehand:
    case mmPenLine: return typeid(*panel) == typeid(TKVFramePen);
    case mmBrush: return typeid(*panel) == typeid(TKVFrameBrush);
    default: return false;
    }
}

} // namespace

void TKalvoMainForm::createPropertyWindow(bool visible)
{
    if (FPropertyForm)
        return;
    FPropertyForm = new TKVfrmRollUp(this, [this] {
        return QRect(pxImage1->mapToGlobal(QPoint(0, 0)), pxImage1->size());
    });
    connect(FPropertyForm, &TKVfrmRollUp::VisibilityChanged, acShowProperty, &QAction::setChecked);
    acShowProperty->setChecked(visible);
    connect(pxImage1, &TpxImage::OnMouseModeChange, this, &TKalvoMainForm::UpdatePropertyPanel);
    FShowPropertyAtStart = visible;
    UpdatePropertyPanel();
}

void TKalvoMainForm::showPropertyWindowAfterStart()
{
    // The default position depends on where the canvas is, known once the window is shown.
    if (!FPropertyForm || FPropertyPlaced)
        return;
    FPropertyPlaced = true;
    FPropertyForm->LoadPosition();
    if (FShowPropertyAtStart)
        FPropertyForm->show();
}

void TKalvoMainForm::destroyPropertyWindow()
{
    delete FPropertyForm; // saves its position
    FPropertyForm = nullptr;
}

void TKalvoMainForm::acShowPropertyExecute()
{
    if (!FPropertyForm)
        return;
    if (acShowProperty->isChecked()) {
        FPropertyPlaced = true;
        FPropertyForm->show();
    } else {
        FPropertyForm->close();
    }
}

void TKalvoMainForm::UpdatePropertyPanel()
{
    if (!FPropertyForm)
        return;
    const TMouseMode mode = pxImage1->MouseMode();
    if (panelServes(FPropertyForm->Panel(), mode))
        return;
    FPropertyForm->SetPanel(nullptr);
    TKVFrameBase* panel = createPanel(
        mode, *pxImage1, [this] { return TMouseMode(FPenMode); },
        [this](TMouseMode m) { FPenMode = m; });
    if (panel) {
        panel->Load();
        FPropertyForm->SetPanel(panel);
    }
    UpdatePanelEnabling();
}

void TKalvoMainForm::UpdatePanelEnabling()
{
    if (!FPropertyForm || !FPropertyForm->Panel())
        return;
    FPropertyForm->Panel()->UpdateEnabling(pxImage1->BitCount());
}

} // namespace kalvo
