#pragma once
// Mnemonics that several items of one menu share. Qt's menu moves to the first item with the
// pressed letter even when that item is disabled, and never further, so that an enabled item
// further down cannot be reached from the keyboard. With this handling the letter reaches the
// enabled items among those that share it: the only one is triggered (or its submenu opened);
// several are highlighted in turn, as on the platform the menus were designed for. A letter that
// only one item carries is left to Qt.
class QMenu;

namespace kalvo {

// Installs the handling on menu (not on its submenus).
void HandleSharedMnemonics(QMenu* menu);

} // namespace kalvo
