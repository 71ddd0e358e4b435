// The tool bars of the main window ("基本", "ズーム", "適用", "マウスモード"), built from tables of
// action names, their show/hide toggles in the View menu, the zoom edit and the status-bar toggle.
// The layout file places them after they exist (ToolBarLayout.h).
#include "app/mainform/MainForm.h"
#include "app/commands/ActionHint.h"
#include "app/commands/MenuBuilder.h"
#include "app/controls/NumericEdit.h"
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

constexpr const char* kBasicBar[] = {
    "acClose", "-",
    "acNewImage", "acOpen", "acSave", "-",
    "acCopy", "acCut", "acPaste", "-",
    "acUndo", "acRedo",
};

constexpr const char* kZoomBar[] = {
    "acZoomIn", "@edtZoom", "acZoomMenu", "acZoom100", "acZoomAuto", "acZoomOut",
};

constexpr const char* kApplyBar[] = {
    "acApply", "acCancel",
};

constexpr const char* kMouseModeBar[] = {
    "acHandScroll", "acZoom", "acSpoit", "-",
    "acSelectRect", "acSelectEllipse", "acSelectRegion", "acSelectMagicWand", "-",
    "acMoveRegion", "acMoveSelectArea", "-",
    "acPen", "acBrush", "acPaint",
};

// Buttons whose caption differs from their action's menu caption. Qt's tool buttons show an
// action's icon text (and screen readers announce it); menus keep the action's own caption.
struct TButtonCaption {
    const char* action;
    const char* caption;
};

constexpr TButtonCaption kButtonCaptions[] = {
    {"acSpoit", "スポイト"},
    {"acMoveSelectArea", "選択領域の移動/コピー"},
};

struct TToolBarEntry {
    const char* name;
    const char* title;
    Qt::ToolBarArea area;
    std::span<const char* const> entries;
    QToolBar* TKalvoMainForm::*member;
};

// The View menu's toggles: action name, caption and the bar or tool window they show and hide.
// "前背景色" has two toggles, under both of its names.
struct TBarToggle {
    const char* action;
    const char* caption;
    const char* bar;
};

constexpr TBarToggle kToggles[] = {
    {"acViewTBToolbar4", "基本", "TBToolbar4"},
    {"acViewTBToolbar3", "ズーム", "TBToolbar3"},
    {"acViewTBToolbar2", "マウスモード", "TBToolbar2"},
    {"acViewTBColorWindow", "前景色/背景色", "TBColorWindow"},
    {"acViewTBToolbar5", "適用", "TBToolbar5"},
    {"acViewTBColorWindow2", "前背景色", "TBColorWindow"},
    {"acViewTBToolWindow1", "色", "TBToolWindow1"},
};

constexpr int kZoomEditMin = 1;
constexpr int kZoomEditMax = 3000;

} // namespace

void TKalvoMainForm::createCommandActions()
{
    for (const TBarToggle& t : kToggles) {
        const QString barName = QLatin1String(t.bar);
        const QString name = QLatin1String(t.action);
        QAction* toggle = makeAction(t.action, QString::fromUtf8(t.caption), QString(), QKeySequence(), [this, barName, name] {
            QWidget* bar = findChild<QWidget*>(barName);
            QAction* self = ActionByName(name);
            if (bar && self)
                bar->setVisible(self->isChecked());
            updateToolBarToggles();
        });
        toggle->setCheckable(true);
        toggle->setProperty("kalvoToggledBar", barName);
    }
    acViewStatusBar = makeAction("acViewStatusBar", QStringLiteral("ステータスバー"), QString(), QKeySequence(), [this] {
        StatusBar1->setVisible(acViewStatusBar->isChecked());
    });
    acViewStatusBar->setCheckable(true);
    acViewStatusBar->setChecked(true);
    createColorPanelActions();
}

void TKalvoMainForm::updateToolBarToggles()
{
    for (const TBarToggle& t : kToggles) {
        QAction* toggle = ActionByName(QLatin1String(t.action));
        const QWidget* bar = findChild<QWidget*>(QLatin1String(t.bar));
        if (toggle)
            toggle->setChecked(bar && !bar->isHidden());
    }
    if (acViewStatusBar)
        acViewStatusBar->setChecked(!StatusBar1->isHidden());
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

    const TToolBarEntry bars[] = {
        {"TBToolbar4", "基本", Qt::TopToolBarArea, kBasicBar, &TKalvoMainForm::TBToolbar4},
        {"TBToolbar3", "ズーム", Qt::TopToolBarArea, kZoomBar, &TKalvoMainForm::TBToolbar3},
        {"TBToolbar5", "適用", Qt::TopToolBarArea, kApplyBar, &TKalvoMainForm::TBToolbar5},
        {"TBToolbar2", "マウスモード", Qt::LeftToolBarArea, kMouseModeBar, &TKalvoMainForm::TBToolbar2},
    };
    for (const TButtonCaption& c : kButtonCaptions)
        if (QAction* action = ActionByName(QLatin1String(c.action)))
            action->setIconText(QString::fromUtf8(c.caption));
    const TActionLookup lookup = [this](const QString& name) { return ActionByName(name); };
    const TWidgetLookup widgets = [this](const QString& name) { return findChild<QWidget*>(name); };
    for (const TToolBarEntry& b : bars) {
        auto* bar = new QToolBar(QString::fromUtf8(b.title), this);
        bar->setObjectName(QLatin1String(b.name));
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        addToolBar(b.area, bar);
        FillToolBar(bar, b.entries, lookup, widgets);
        connect(bar, &QToolBar::visibilityChanged, this, [this] { updateToolBarToggles(); });
        this->*b.member = bar;
    }
    // The preset menu drops down from its button.
    if (auto* button = qobject_cast<QToolButton*>(TBToolbar3->widgetForAction(acZoomMenu))) {
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
