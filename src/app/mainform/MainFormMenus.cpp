// The popup menus of the main window and the look-ups of its actions, menus and tool bars by
// name; the menu bar is filled from the command registry (MainFormCommands.cpp).
#include "app/commands/MenuBuilder.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <iterator>

namespace kalvo {

QMenu* TKalvoMainForm::CanvasPopupMenu() const
{
    switch (pxImage1->MouseMode()) {
    case mmSelectRegion:
    case mmZoom:
    case mmPaint:
    case mmSpoit: return nullptr;
    case mmMoveSelectArea:
    case mmMerge: return ApplyCancelMenu;
    default: return MouseModeMenu;
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

void TKalvoMainForm::createPopupMenus()
{
    // The Apply/Cancel popup has captions of its own and runs acApply and acCancel, following
    // their enabling.
    ApplyCancelMenu = new QMenu(this);
    ApplyCancelMenu->setObjectName(QStringLiteral("ApplyCancelMenu"));
    const std::pair<const char*, const char*> items[] = {
        {"acApply", "適用(&A)"}, {nullptr, nullptr}, {"acCancel", "キャンセル(&C)"}};
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
