// The menu bar and the popup menus of the main window, built from tables of action names: an
// action appears in its place as soon as it exists (see commands/MenuBuilder.h).
#include "app/mainform/MainForm.h"
#include "app/commands/MenuBuilder.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <iterator>

namespace kalvo {

namespace {

constexpr const char* kFileMenu[] = {
    "acNewImage", "acOpen", "-",
    "acSaveOption", "acSaveAs", "acSave", "-",
    "[RecentMenu|最近使ったファイル(&M)", "]", "-",
    "acClose",
};

// The mouse modes in the order of the mode tool bar, without the picker.
#define KALVO_MOUSE_MODES                                                                     \
    "acHandScroll", "acZoom", "-",                                                            \
    "acSelectRect", "acSelectEllipse", "acSelectRegion", "acSelectMagicWand", "-",           \
    "acMoveRegion", "acMoveSelectArea", "-",                                                  \
    "acPen", "acBrush", "acPaint"

constexpr const char* kEditMenu[] = {
    "acUndo", "acRedo", "-",
    "acCopy", "acCut", "acPaste", "acMergePaste", "-",
    "acClear", "-",
    "[MouseModeMenu|マウスモード(&M)", KALVO_MOUSE_MODES, "]",
};

#undef KALVO_MOUSE_MODES

constexpr const char* kViewMenu[] = {
    "[ToolBarMenu|ツールバー(&T)",
    "acViewTBToolbar4", "acViewTBToolbar3", "acViewTBToolbar2", "acViewTBColorWindow",
    "acViewTBToolbar5", "acViewTBColorWindow2", "acViewTBToolWindow1",
    "]",
    "acShowProperty", "acViewStatusBar", "-",
    "acViewMaximumSize",
};

constexpr const char* kImageMenu[] = {
    "acResize", "-",
    "acNegativeImage", "acLoassLessJpeg",
};

constexpr const char* kEffectsMenu[] = {
    "acDropShadow", "-",
    "acBrightnessContrast", "acHueSaturation", "acLevels", "acGaussianBlur", "acSharpen", "acGrayscale",
};

constexpr const char* kColorMenu[] = {
    "acSelectForegroundColor", "acSelectBackgroundColor", "acSwapFBColors", "-",
    "acPaletteEdit", "acPaletteExport", "acPaletteImport", "-",
    "[ReduceColorMenu|減色(&R)", "acReduce8bitColor", "acReduce4bitColor", "acReduce1bitColor", "]",
    "[EnlargeColorMenu|増色(&L)", "acEnlarge4bitColors", "acEnlarge8bitColors", "acEnlarge24bitColors", "]", "-",
    "acColorCount",
};

constexpr const char* kSelectionMenu[] = {
    "acSelectAll", "acInvertRegion", "acDeleteRegion", "-",
    "acObscureRegion", "acDrawRegion", "-",
    "acCopyRegion", "acPasteRegion", "-",
    "acHideRegion",
};

struct TMenuBarEntry {
    const char* name;
    const char* caption;
    std::span<const char* const> entries;
    QMenu* TKalvoMainForm::*member;
};

} // namespace

QMenu* TKalvoMainForm::CanvasPopupMenu() const
{
    switch (pxImage1->MouseMode()) {
    case mmSelectRegion:
    case mmZoom:
    case mmPaint:
    case mmSpoit:
        return nullptr;
    case mmMoveSelectArea:
    case mmMerge:
        return ApplyCancelMenu;
    default:
        return MouseModeMenu;
    }
}

QAction* TKalvoMainForm::ActionByName(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    for (QAction* a : actions())
        if (a->objectName() == name)
            return a;
    return findChild<QAction*>(name);
}

QMenu* TKalvoMainForm::Menu(const char* name) const
{
    return findChild<QMenu*>(QLatin1String(name));
}

QToolBar* TKalvoMainForm::ToolBar(const char* name) const
{
    return findChild<QToolBar*>(QLatin1String(name));
}

QDockWidget* TKalvoMainForm::ToolWindow(const char* name) const
{
    return findChild<QDockWidget*>(QLatin1String(name));
}

void TKalvoMainForm::createMenus()
{
    const TMenuBarEntry menus[] = {
        {"FileMenu", "ファイル(&F)", kFileMenu, &TKalvoMainForm::FileMenu},
        {"EditMenu", "編集(&E)", kEditMenu, &TKalvoMainForm::EditMenu},
        {"ViewMenu", "表示(&V)", kViewMenu, &TKalvoMainForm::ViewMenu},
        {"ImageMenu", "イメージ(&I)", kImageMenu, &TKalvoMainForm::ImageMenu},
        {"EffectsMenu", "効果(&T)", kEffectsMenu, &TKalvoMainForm::EffectsMenu},
        {"ColorMenu", "カラー(&C)", kColorMenu, &TKalvoMainForm::ColorMenu},
        {"SelectionMenu", "選択範囲(&R)", kSelectionMenu, &TKalvoMainForm::SelectionMenu},
    };
    const TActionLookup lookup = [this](const QString& name) { return ActionByName(name); };
    menuBar()->setObjectName(QStringLiteral("TBToolbar1"));
    menuBar()->setWindowTitle(QStringLiteral("メニューバー"));
    for (const TMenuBarEntry& m : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QLatin1String(m.name));
        FillMenu(menu, m.entries, lookup);
        // A menu none of whose commands exist yet stays out of the menu bar.
        menu->menuAction()->setVisible(MenuHasCommands(menu));
        this->*m.member = menu;
    }
    RecentMenu = FileMenu->findChild<QMenu*>(QStringLiteral("RecentMenu"));
    MouseModeMenu = EditMenu->findChild<QMenu*>(QStringLiteral("MouseModeMenu"));
    ToolBarMenu = ViewMenu->findChild<QMenu*>(QStringLiteral("ToolBarMenu"));

    // The Apply/Cancel popup has captions of its own and runs acApply and acCancel, following
    // their enabling.
    ApplyCancelMenu = new QMenu(this);
    ApplyCancelMenu->setObjectName(QStringLiteral("ApplyCancelMenu"));
    const std::pair<const char*, const char*> items[] = {{"acApply", "適用(&A)"}, {nullptr, nullptr},
                                                         {"acCancel", "キャンセル(&C)"}};
    for (const auto& [name, caption] : items) {
        if (!name) {
            ApplyCancelMenu->addSeparator();
            continue;
        }
        QAction* item = ApplyCancelMenu->addAction(QString::fromUtf8(caption));
        item->setObjectName(QLatin1String(name) + QStringLiteral("Item"));
        QAction* target = ActionByName(QLatin1String(name));
        item->setEnabled(target && target->isEnabled());
        if (target) {
            connect(target, &QAction::enabledChanged, item, &QAction::setEnabled);
            connect(item, &QAction::triggered, target, &QAction::trigger);
        }
    }

    // The canvas's popup opens on the right button's release (on X11 the context-menu event
    // comes with the press, and the popup would take the release from the gesture). The
    // canvas reports client (device) pixels.
    connect(pxImage1, &TpxImage::OnMouseUp, this, [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
        if (button != Qt::RightButton || !QRect(0, 0, pxImage1->ClientWidth(), pxImage1->ClientHeight()).contains(x, y))
            return;
        if (QMenu* menu = CanvasPopupMenu(); menu && MenuHasCommands(menu))
            menu->popup(pxImage1->viewport()->mapToGlobal(pxImage1->ViewportPoint(QPoint(x, y))).toPoint());
    });
}

} // namespace kalvo
