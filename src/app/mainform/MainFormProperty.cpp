// The property window: created with the settings, showing the panel the current mouse mode's
// command brings (Command.h), its controls enabled by the image's bit depth.
#include "app/commands/Command.h"
#include "app/mainform/MainForm.h"
#include "app/property/FrameBase.h"
#include "app/property/RollUpWindow.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QMenu>
#include <QRect>

namespace kalvo {

void TKalvoMainForm::createPropertyWindow(bool visible)
{
    if (FPropertyForm)
        return;
    FPropertyForm = new TKVfrmRollUp(this,
                                     [this] { return QRect(pxImage1->mapToGlobal(QPoint(0, 0)), pxImage1->size()); });
    connect(FPropertyForm, &TKVfrmRollUp::VisibilityChanged, Action("acShowProperty"), &QAction::setChecked);
    Action("acShowProperty")->setChecked(visible);
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
    if (Action("acShowProperty")->isChecked()) {
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
    // Each tool's command brings its panel; a panel on show for the same command stays.
    const TCommand* command = PanelCommand(pxImage1->MouseMode());
    if (command && command == FPanelCommand && FPropertyForm->Panel())
        return;
    FPropertyForm->SetPanel(nullptr);
    FPanelCommand = command;
    if (command) {
        TKVFrameBase* panel = command->panel(*this);
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
