#pragma once
// Keeping the property window inside the desktop's work area.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace kalvo {

// Per axis: a window left of (above) the work area moves to its edge; otherwise one reaching past
// the right (bottom) edge moves back inside.
QPoint KeepInWorkArea(QPoint pos, QSize size, const QRect& work);

} // namespace kalvo
