#pragma once
// Messages between the main windows of the program. Windows of this process receive a posted
// event; other processes learn of a changed recent-file list through its file (see
// TRecentFileList::SetWatching).
#include <QEvent>
#include <QList>

class QWidget;

namespace kalvo {

// Reload the recent-file list.
constexpr int WM_RELOADMRU = 0x0400 + 201;

// The event type that carries message to a main window.
QEvent::Type InstanceMessageEventType(int message);

// Every main window of the program, once each.
QList<QWidget*> FindMainWindows();
// Posts message to every main window, the sender's own included.
void NotifyInstances(int message);

} // namespace kalvo
