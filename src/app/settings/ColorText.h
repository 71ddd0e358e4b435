#pragma once
// Colour text of the settings files: the sixteen named colours ("clRed" ...) by name, any other
// colour as "$" and eight hexadecimal digits of the colour value (red in the low byte).
#include "image/Color.h"

#include <QString>

#include <optional>

namespace kalvo {

QString ColorToString(TColor color);
// Accepts a colour name (any letter case, including the system colour names, which take their
// value from the current palette), "$" or "0x" hexadecimal, or a decimal number. The high byte of
// the result is cleared. nullopt for anything else.
std::optional<TColor> StringToColor(const QString& text);

} // namespace kalvo
