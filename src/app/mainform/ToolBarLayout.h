#pragma once
// The tool-bar layout file: one INI section per tool bar (QToolBar) and tool window
// (QDockWidget) of the main window, named after the object ("TBToolbar4", "TBColorWindow"...),
// with the keys Rev (always 2000), Visible, DockedTo ("TBDockTop", "TBDockLeft", "TBDockRight",
// "TBDockBottom" or "+" when floating), LastDock, DockRow, DockPos, FloatLeft, FloatTop, and
// FloatRightX for tool bars or ClientWidth and ClientHeight for tool windows. A menu bar named
// like them ("TBToolbar1") gets a section too, always docked at the top; loading leaves it alone.
#include <QString>

class QMainWindow;

namespace kalvo {

constexpr int kToolBarLayoutRev = 2000;

// Writes the layout of every named tool bar and tool window of window; false when the file could
// not be written.
bool SaveToolBarLayout(const QMainWindow* window, const QString& fileName);
// Restores what the file holds for the tool bars and tool windows of window. Sections whose Rev
// is not 2000, and bars without a section, are left as they are; a missing file changes nothing.
// A tool bar stored as floating is docked where it last sat (Qt cannot float a tool bar on
// request).
void LoadToolBarLayout(QMainWindow* window, const QString& fileName);

} // namespace kalvo
