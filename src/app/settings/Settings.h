#pragma once
// Single-setting accesses to "Kalvo2.ini" in the program directory, used by the main window and
// by every dialog that remembers its values. Reads give the default for a missing file, section
// or key and for a value of the wrong form; writes report failure by returning false.
#include "image/Color.h"

#include <QString>

namespace kalvo {

int ReadIniInteger(const QString& section, const QString& key, int def);
bool ReadIniBool(const QString& section, const QString& key, bool def);
QString ReadIniString(const QString& section, const QString& key, const QString& def);
// Colour text as ColorToString writes it (names or "$" form).
TColor ReadIniColor(const QString& section, const QString& key, TColor def);

bool WriteIniInteger(const QString& section, const QString& key, int value);
bool WriteIniBool(const QString& section, const QString& key, bool value);
bool WriteIniString(const QString& section, const QString& key, const QString& value);
bool WriteIniColor(const QString& section, const QString& key, TColor value);

} // namespace kalvo
