#include "app/startup/Instances.h"

#include <QApplication>
#include <QWidget>

namespace kalvo {

QEvent::Type InstanceMessageEventType(int message)
{
    return QEvent::Type(QEvent::User + message);
}

QList<QWidget*> FindMainWindows()
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("kalvo::TKalvoMainForm") && !windows.contains(w))
            windows.push_back(w);
    return windows;
}

void NotifyInstances(int message)
{
    for (QWidget* w : FindMainWindows())
        QCoreApplication::postEvent(w, new QEvent(InstanceMessageEventType(message)));
}

} // namespace kalvo
