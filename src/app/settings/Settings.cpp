#include "app/settings/Settings.h"

#include "app/settings/ColorText.h"
#include "app/settings/IniFile.h"
#include "app/settings/ProgramDirectory.h"

namespace kalvo {

namespace {

TIniFile settingsFile()
{
    return TIniFile(SettingsFileName());
}

} // namespace

int ReadIniInteger(const QString& section, const QString& key, int def)
{
    return settingsFile().ReadInteger(section, key, def);
}

bool ReadIniBool(const QString& section, const QString& key, bool def)
{
    return settingsFile().ReadBool(section, key, def);
}

QString ReadIniString(const QString& section, const QString& key, const QString& def)
{
    return settingsFile().ReadString(section, key, def);
}

TColor ReadIniColor(const QString& section, const QString& key, TColor def)
{
    const QString text = ReadIniString(section, key, ColorToString(def));
    return StringToColor(text).value_or(def);
}

bool WriteIniInteger(const QString& section, const QString& key, int value)
{
    return settingsFile().WriteInteger(section, key, value);
}

bool WriteIniBool(const QString& section, const QString& key, bool value)
{
    return settingsFile().WriteBool(section, key, value);
}

bool WriteIniString(const QString& section, const QString& key, const QString& value)
{
    return settingsFile().WriteString(section, key, value);
}

bool WriteIniColor(const QString& section, const QString& key, TColor value)
{
    return WriteIniString(section, key, ColorToString(value));
}

} // namespace kalvo
