#pragma once
// The colour dialog's 16 custom colours in their settings form: "ColorA=RRGGBB" lines whose
// value is six hexadecimal digits of the colour value (blue, green, red from left to right).
#include <QStringList>

namespace kalvo {

// Sets the colour dialog's custom colour i from entry i of entries (at most 16; malformed values
// leave that colour alone).
void ApplyCustomColors(const QStringList& entries);
// The dialog's 16 custom colours as "ColorA=..." .. "ColorP=..." lines; the colour-dialog
// command stores this in the window's settings after the dialog closes.
QStringList CustomColorsFromDialog();

} // namespace kalvo
