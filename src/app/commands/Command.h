#pragma once
// The command registry: every command of the main window is one entry. Its ac… name is the
// action's objectName and the key the layout and settings files, the icons and the enabling use;
// the entry also gives caption, hint, shortcut, icon, handler, enabling rule, its places in a menu
// and on a tool bar, and for a tool its mouse mode and property panel. The window makes one
// QAction per entry and fills its menus and tool bars from the places.
#include "canvas/MouseMode.h"

#include <QKeyCombination>
#include <Qt>

#include <span>

namespace kalvo {

class TKalvoMainForm;
class TKVFrameBase;
struct TDocumentState;

// A place in a menu or on a tool bar: the container's object name, the group and the order
// within the group. Groups are separated by separators; no container, no place.
struct TPlace {
    const char* container = nullptr;
    int group = 0;
    int order = 0;
};

// When the enabling rule runs: after image changes (open, new, undo, redo, depth change, save),
// selection changes, history changes or clipboard changes. Always: the command stays enabled.
enum class TEnableOn { Always, Image, Region, Undo, Clipboard };

enum class TCommandKind {
    Plain,     // runs its handler
    Checkable, // runs its handler; the action keeps a check mark
    Tool,      // selects its mouse mode (one of the window's exclusive mode actions)
};

struct TCommand {
    const char* name;
    const char* caption;           // UTF-8, with its accelerator
    const char* hint = "";         // "short|long" or one text for both (ActionHint.h)
    QKeyCombination shortcut = {}; // Qt::Key_unknown: none
    const char* icon = nullptr;    // a theme icon name, or ":name" for the program's own SVG icon
    void (*handler)(TKalvoMainForm& form) = nullptr;
    TEnableOn enableOn = TEnableOn::Always;
    bool (*enabled)(const TDocumentState& state) = nullptr;
    TPlace menu = {};
    TPlace toolBar = {};
    TCommandKind kind = TCommandKind::Plain;
    // The mouse mode a tool selects, or the one a command enters (merge paste), for its panel.
    TMouseMode mode = mmNone;
    // The property-window panel of that mode; nullptr: none.
    TKVFrameBase* (*panel)(TKalvoMainForm& form) = nullptr;
    const char* buttonCaption = nullptr; // the tool button's text when it differs from the caption
    int tag = 0;                         // the action's data
};

// A menu: the menu bar's menus (container "MenuBar") and submenus, placed like commands.
struct TMenuDef {
    const char* name;
    const char* caption;
    TPlace place;
};

// A tool bar and where it starts; widgets (the zoom edit) are placed on it like commands.
struct TToolBarDef {
    const char* name;
    const char* title;
    Qt::ToolBarArea area;
};

struct TWidgetPlace {
    const char* name;
    TPlace place;
};

// The registry (CommandTable.cpp).
std::span<const TCommand> Commands();
std::span<const TMenuDef> MenuDefs();
std::span<const TToolBarDef> ToolBarDefs();
std::span<const TWidgetPlace> ToolBarWidgets();
// The entry of name; nullptr when there is none.
const TCommand* FindCommand(const char* name);
// The entry whose panel serves mode (the pen's entry serves both pen modes); nullptr: none.
const TCommand* PanelCommand(TMouseMode mode);

} // namespace kalvo
