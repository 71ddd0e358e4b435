#pragma once
// Menus and tool bars filled from tables of action names, so that every command appears where
// the table puts it as soon as an action of that name exists, and a name without an action is
// skipped. Table entries:
//   "acXxx"          the action whose objectName is acXxx
//   "-"              a separator
//   "[Name|Caption"  opens a submenu with that objectName and caption (menus only)
//   "]"              closes the submenu
//   "@name"          a widget of the window with that objectName (tool bars only)
#include <QString>

#include <functional>
#include <span>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace kalvo {

using TActionLookup = std::function<QAction*(const QString& name)>;
using TWidgetLookup = std::function<QWidget*(const QString& name)>;

// Appends the entries to menu. A submenu whose listed actions all are missing is hidden; a
// submenu listed without entries is left to its owner to fill. The menu and its submenus get the
// handling of shared mnemonics (MenuMnemonics.h).
void FillMenu(QMenu* menu, std::span<const char* const> entries, const TActionLookup& lookup);

// Appends the entries to bar; widgets are added with QToolBar::addWidget.
void FillToolBar(QToolBar* bar, std::span<const char* const> entries, const TActionLookup& lookup,
                 const TWidgetLookup& widgets);

// True when the menu holds an action that is not a separator (in it or in a submenu).
bool MenuHasCommands(const QMenu* menu);

} // namespace kalvo
