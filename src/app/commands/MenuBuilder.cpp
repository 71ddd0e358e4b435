#include "app/commands/MenuBuilder.h"

#include <QAction>
#include <QMenu>

namespace kalvo {

bool MenuHasCommands(const QMenu* menu)
{
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu() == nullptr || MenuHasCommands(a->menu()))
            return true;
    }
    return false;
}

} // namespace kalvo
