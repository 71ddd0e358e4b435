// The window's actions, menus and tool bars, made from the command registry (Command.h): one
// action per entry, and each menu and tool bar holding the entries placed in it in the order of
// their places, with a separator between groups.
#include "app/commands/ActionHint.h"
#include "app/commands/Command.h"
#include "app/commands/MenuBuilder.h"
#include "app/commands/MenuMnemonics.h"
#include "app/controls/NumericEdit.h"
#include "app/mainform/MainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>
#include <vector>

namespace kalvo {

namespace {

struct TPlaced {
    TPlace place;
    std::function<void()> add;
};

bool in(const TPlace& place, const char* container)
{
    return place.container && std::strcmp(place.container, container) == 0;
}

// Adds the items by group and order; addSeparator runs between two groups.
void addInOrder(std::vector<TPlaced> items, const std::function<void()>& addSeparator)
{
    std::stable_sort(items.begin(), items.end(), [](const TPlaced& a, const TPlaced& b) {
        return std::tie(a.place.group, a.place.order) < std::tie(b.place.group, b.place.order);
    });
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && items[i].place.group != items[i - 1].place.group)
            addSeparator();
        items[i].add();
    }
}

} // namespace

void TKalvoMainForm::createCommands()
{
    FModeActionGroup = new QActionGroup(this);
    // Optional: a mode without an action (point picking) leaves every action unchecked; a
    // click on the checked action is checked again by MouseModeChange.
    FModeActionGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const TCommand& command : Commands()) {
        auto* action = new QAction(QString::fromUtf8(command.caption), this);
        action->setObjectName(QLatin1String(command.name));
        ApplyHint(action, QString::fromUtf8(command.hint));
        if (command.shortcut.key() != Qt::Key_unknown)
            action->setShortcut(QKeySequence(command.shortcut));
        if (command.tag)
            action->setData(command.tag);
        // Qt's tool buttons show an action's icon text (and screen readers announce it); menus
        // keep the action's own caption.
        if (command.buttonCaption)
            action->setIconText(QString::fromUtf8(command.buttonCaption));
        if (command.kind == TCommandKind::Tool) {
            addModeAction(action, command.mode);
            continue;
        }
        action->setCheckable(command.kind == TCommandKind::Checkable);
        addAction(action); // reachable by its shortcut before any menu shows it
        if (const auto handler = command.handler)
            connect(action, &QAction::triggered, this,
                    [this, handler] { RunCommand([this, handler] { handler(*this); }); });
    }
}

void TKalvoMainForm::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("TBToolbar1"));
    menuBar()->setWindowTitle(QStringLiteral("メニューバー"));
    // The menus exist before they are filled: a submenu is an item of its parent.
    for (const TMenuDef& def : MenuDefs()) {
        QWidget* parent = in(def.place, "MenuBar") ? static_cast<QWidget*>(menuBar()) : Menu(def.place.container);
        auto* menu = new QMenu(QString::fromUtf8(def.caption), parent);
        menu->setObjectName(QLatin1String(def.name));
        HandleSharedMnemonics(menu);
    }
    const auto fill = [this](const char* container, const std::function<void(QAction*)>& add,
                             const std::function<void()>& addSeparator) {
        std::vector<TPlaced> items;
        for (const TMenuDef& def : MenuDefs())
            if (in(def.place, container))
                items.push_back({def.place, [this, &def, add] { add(Menu(def.name)->menuAction()); }});
        for (const TCommand& command : Commands())
            if (in(command.menu, container))
                items.push_back({command.menu, [this, &command, add] { add(Action(command.name)); }});
        addInOrder(std::move(items), addSeparator);
    };
    fill(
        "MenuBar", [this](QAction* item) { menuBar()->addAction(item); }, [] {});
    for (const TMenuDef& def : MenuDefs()) {
        QMenu* menu = Menu(def.name);
        fill(
            def.name, [menu](QAction* item) { menu->addAction(item); }, [menu] { menu->addSeparator(); });
    }
    // A menu none of whose commands exist stays out of the menu bar.
    for (QAction* item : menuBar()->actions())
        item->setVisible(MenuHasCommands(item->menu()));
    RecentMenu = Menu("RecentMenu");
    MouseModeMenu = Menu("MouseModeMenu");
}

void TKalvoMainForm::fillToolBars()
{
    for (const TToolBarDef& def : ToolBarDefs()) {
        auto* bar = new QToolBar(QString::fromUtf8(def.title), this);
        bar->setObjectName(QLatin1String(def.name));
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        addToolBar(def.area, bar);
        std::vector<TPlaced> items;
        for (const TCommand& command : Commands())
            if (in(command.toolBar, def.name))
                items.push_back({command.toolBar, [this, bar, &command] { bar->addAction(Action(command.name)); }});
        for (const TWidgetPlace& widget : ToolBarWidgets())
            if (in(widget.place, def.name))
                items.push_back({widget.place, [this, bar, &widget] {
                                     bar->addWidget(findChild<QWidget*>(QLatin1String(widget.name)));
                                 }});
        addInOrder(std::move(items), [bar] { bar->addSeparator(); });
        connect(bar, &QToolBar::visibilityChanged, this, [this] { updateToolBarToggles(); });
    }
}

} // namespace kalvo
