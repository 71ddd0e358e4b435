#pragma once
// A one-field numeric input box laid out in average character units.
#include <QSize>
#include <QString>

class QFontMetrics;

namespace kalvo {

// The width of the 52 letters A-Z and a-z divided by 52, and their height.
QSize AverageCharSize(const QFontMetrics& metrics);

// Asks for a number in minimum..maximum, starting at value. On OK stores the (limited) number in
// value and returns true; otherwise returns false and leaves value alone.
bool InputNumber(const QString& caption, const QString& prompt, int& value, int maximum, int minimum);

} // namespace kalvo
