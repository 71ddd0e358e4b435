#pragma once
// What the main window's menus hold (they are filled from the command registry, Command.h).
class QMenu;

namespace kalvo {

// True when the menu holds an action that is not a separator (in it or in a submenu).
bool MenuHasCommands(const QMenu* menu);

} // namespace kalvo
