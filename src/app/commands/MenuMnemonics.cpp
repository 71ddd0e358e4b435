#include "app/commands/MenuMnemonics.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

namespace kalvo {

namespace {

class TSharedMnemonicFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().size() != 1 || (key->modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier)))
            return false;
        const char16_t letter = key->text().at(0).toUpper().unicode();
        int sharing = 0;
        QList<QAction*> enabled;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
            if (mnemonic.isEmpty() || (mnemonic[0].toCombined() & 0xffff) != letter)
                continue;
            ++sharing;
            if (action->isEnabled())
                enabled << action;
        }
        if (sharing < 2 || enabled.isEmpty())
            return false;
        if (enabled.size() == 1) {
            // As Enter on the item: triggers it, or opens its submenu with the first item selected.
            menu->setActiveAction(enabled.front());
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(menu, &enter);
            return true;
        }
        QAction* next = enabled[(enabled.indexOf(menu->activeAction()) + 1) % enabled.size()];
        menu->setActiveAction(next);
        // Highlighted only: a submenu opens on Enter or the right arrow, and the next press of the
        // letter stays in this menu.
        if (next->menu())
            next->menu()->hide();
        return true;
    }
};

} // namespace

void HandleSharedMnemonics(QMenu* menu)
{
    menu->installEventFilter(new TSharedMnemonicFilter(menu));
}

} // namespace kalvo
