#pragma once
// Window placement text: "left,top,width,height,show" — the window's normal rectangle relative
// to the work area (the screen without panels) and its show state (1 normal, 2 minimised,
// 3 maximised).
#include <QRect>
#include <QString>

class QWidget;

namespace kalvo {

struct TPlacement {
    QRect rect; // screen coordinates
    int show = 1;
};

// Where SetPlacementText puts a window on workArea. A text with fewer than five fields, or with
// a field that is no integer, means the whole work area. The size is limited to the work area;
// the window is moved left and up so that it ends inside the work area, but never to a negative
// coordinate.
TPlacement ComputePlacement(const QString& text, const QRect& workArea);

QString GetPlacementText(const QWidget* window);
// Moves and sizes window and sets its minimised or maximised state.
void SetPlacementText(const QString& text, QWidget* window);

} // namespace kalvo
