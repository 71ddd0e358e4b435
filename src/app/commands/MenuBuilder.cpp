#include "app/commands/MenuBuilder.h"

#include "app/commands/MenuMnemonics.h"
#include <QAction>
#include <QMenu>
#include <QToolBar>

#include <vector>

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

void FillMenu(QMenu* menu, std::span<const char* const> entries, const TActionLookup& lookup)
{
    HandleSharedMnemonics(menu);
    std::vector<QMenu*> open{menu};
    // Submenus the table gives actions for; those left without any are hidden at the end (a
    // submenu listed without entries is filled by its owner, like the recent files).
    std::vector<QMenu*> listed;
    for (const char* entry : entries) {
        const QString text = QString::fromUtf8(entry);
        QMenu* current = open.back();
        if (text == QLatin1String("-")) {
            current->addSeparator();
        } else if (text.startsWith(QLatin1Char('['))) {
            const qsizetype bar = text.indexOf(QLatin1Char('|'));
            auto* sub = new QMenu(text.mid(bar + 1), current);
            sub->setObjectName(text.mid(1, bar - 1));
            HandleSharedMnemonics(sub);
            current->addMenu(sub);
            open.push_back(sub);
        } else if (text == QLatin1String("]")) {
            if (open.size() > 1)
                open.pop_back();
        } else {
            if (current != menu)
                listed.push_back(current);
            if (QAction* action = lookup(text))
                current->addAction(action);
        }
    }
    for (QMenu* sub : listed)
        if (!MenuHasCommands(sub))
            sub->menuAction()->setVisible(false);
}

void FillToolBar(QToolBar* bar, std::span<const char* const> entries, const TActionLookup& lookup,
                 const TWidgetLookup& widgets)
{
    // Tool bars do not collapse separators the way menus do: a separator is placed only between
    // two items that exist.
    bool separatorPending = false;
    auto place = [&] {
        if (separatorPending && !bar->actions().isEmpty())
            bar->addSeparator();
        separatorPending = false;
    };
    for (const char* entry : entries) {
        const QString text = QString::fromUtf8(entry);
        if (text == QLatin1String("-")) {
            separatorPending = true;
        } else if (text.startsWith(QLatin1Char('@'))) {
            if (QWidget* w = widgets(text.mid(1))) {
                place();
                bar->addWidget(w);
            }
        } else if (QAction* action = lookup(text)) {
            place();
            bar->addAction(action);
        }
    }
}

} // namespace kalvo
