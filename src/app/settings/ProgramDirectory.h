#pragma once
// The directory that holds the settings, recent-file and layout files, with a trailing "/".
// KALVO_CONFIG_DIR, when set and not empty, names it; otherwise it is the executable's directory
// when that can be written and is not an installed program's (a portable copy), else the
// per-user configuration directory.
#include <QString>

namespace kalvo {

QString ProgramDirectory();
// The per-user configuration directory, ~/.config/Kalvo/, with a trailing "/".
QString UserConfigDirectory();

// The files kept there.
QString SettingsFileName();      // "Kalvo2.ini"
QString RecentFilesFileName();   // "Kalvo2.mru"
QString ToolBarLayoutFileName(); // "Kalvo2.tlb"

} // namespace kalvo
