// The tool bars of the main window ("基本", "ズーム", "適用", "マウスモード"), filled from the
// command registry's places (MainFormCommands.cpp), their show/hide toggles in the View menu, the
// zoom edit and the status-bar toggle. The layout file places them after they exist
// (ToolBarLayout.h).
#include "app/controls/NumericEdit.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace kalvo {

namespace {

// The View menu's toggles and the bar or tool window each shows and hides.
struct TBarToggle {
    const char* action;
    const char* bar;
};

constexpr TBarToggle kToggles[] = {
    {"acViewTBToolbar4", "TBToolbar4"},       {"acViewTBToolbar3", "TBToolbar3"},
    {"acViewTBToolbar2", "TBToolbar2"},       {"acViewTBColorWindow", "TBColorWindow"},
    {"acViewTBToolbar5", "TBToolbar5"},       {"acViewTBColorWindow2", "TBColorWindow"},
    {"acViewTBToolWindow1", "TBToolWindow1"},
};

constexpr int kZoomEditMin = 1;
constexpr int kZoomEditMax = 3000;

} // namespace

void TKalvoMainForm::toggleBar(const char* bar, const char* action)
{
    QWidget* widget = findChild<QWidget*>(QLatin1String(bar));
    if (widget)
        widget->setVisible(Action(action)->isChecked());
    updateToolBarToggles();
}

void TKalvoMainForm::acViewStatusBarExecute()
{
    StatusBar1->setVisible(Action("acViewStatusBar")->isChecked());
}

void TKalvoMainForm::updateToolBarToggles()
{
    for (const TBarToggle& t : kToggles) {
        QAction* toggle = ActionByName(QLatin1String(t.action));
        const QWidget* bar = findChild<QWidget*>(QLatin1String(t.bar));
        if (toggle)
            toggle->setChecked(bar && !bar->isHidden());
    }
    Action("acViewStatusBar")->setChecked(!StatusBar1->isHidden());
}

void TKalvoMainForm::createToolBars()
{
    edtZoom = new TpxNumericEdit(this);
    edtZoom->setObjectName(QStringLiteral("edtZoom"));
    edtZoom->SetRange(kZoomEditMin, kZoomEditMax);
    edtZoom->SetValue(pxImage1->Zoom());
    edtZoom->setMaxLength(5);
    edtZoom->setFixedWidth(edtZoom->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    edtZoom->setAlignment(Qt::AlignRight);
    edtZoom->setToolTip(QStringLiteral("表示倍率 10～3000(%)"));
    edtZoom->setStatusTip(QStringLiteral("表示倍率 10～3000(%)"));
    connect(edtZoom, &TpxNumericEdit::Change, this, [this] { RunCommand([this] { edtZoomChange(); }); });
    // Enter confirms the typed zoom and gives the keyboard back to the canvas.
    connect(edtZoom, &QLineEdit::returnPressed, pxImage1, [this] { pxImage1->setFocus(Qt::OtherFocusReason); });

    fillToolBars();
    // The preset menu drops down from its button.
    if (auto* button = qobject_cast<QToolButton*>(ToolBar("TBToolbar3")->widgetForAction(Action("acZoomMenu")))) {
        button->setMenu(ZoomPresetMenu);
        button->setPopupMode(QToolButton::InstantPopup);
    }
    createColorPanels();
    for (QDockWidget* dock : {TBColorWindow, TBToolWindow1})
        if (dock)
            connect(dock, &QDockWidget::visibilityChanged, this, [this] { updateToolBarToggles(); });
    pxImage1ZoomChanged(pxImage1->Zoom());
    updateToolBarToggles();
}

// Typed zoom values only: the program's own writes into the edit are ignored. A text that is no
// number (letters, an emptied field) keeps the zoom.
void TKalvoMainForm::edtZoomChange()
{
    if (FZoomEditByProgram || !edtZoom->hasFocus())
        return;
    bool ok = false;
    const long long typed = edtZoom->text().trimmed().toLongLong(&ok);
    int zoom = ok ? int(std::clamp<long long>(typed, kZoomEditMin, kZoomEditMax)) : pxImage1->Zoom();
    if (zoom != pxImage1->Zoom())
        pxImage1->SetZoom(zoom);
}

} // namespace kalvo
