#pragma once
// The directory that holds the settings, recent-file and layout files, with a trailing "/".
// KALVO_CONFIG_DIR, when set and not empty, names it; otherwise it is the executable's directory
// when that can be written (a portable install), else the per-user configuration directory.
#include <QString>

namespace kalvo {

QString ProgramDirectory();

// The files kept there.
QString SettingsFileName();      // "Kalvo2.ini"
QString RecentFilesFileName();   // "Kalvo2.mru"
QString ToolBarLayoutFileName(); // "Kalvo2.tlb"

} // namespace kalvo
