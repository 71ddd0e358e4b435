#include "app/settings/MainSettings.h"

#include "app/settings/IniFile.h"

#include <algorithm>

namespace kalvo {

namespace {

const QString kCommon = QStringLiteral("COMMON");
const QString kSettingsRead = QStringLiteral("SETTINGS");
// Written with this spelling; names match without regard to case.
const QString kSettingsWrite = QStringLiteral("Settings");
const QString kCustomColors = QStringLiteral("CUSTOM_COLORS");
const QString kSaveOptions = QStringLiteral("SAVE_OPTIONS");
constexpr int kMaxCustomColors = 16;

std::uint8_t lowByte(int v) { return std::uint8_t(unsigned(v) & 0xFFu); }

TColor readHexColor(const TIniFile& ini, const QString& key, TColor def)
{
    return ParseHexColorText(ini.ReadString(kCommon, key, HexColorText(def))).value_or(def);
}

void readCommon(const TIniFile& ini, TMainSettings& s)
{
    s.Placement = ini.ReadString(kCommon, QStringLiteral("Placement"), s.Placement);
    s.ForegroundColor = readHexColor(ini, QStringLiteral("ForegroundColor"), s.ForegroundColor);
    s.BackgroundColor = readHexColor(ini, QStringLiteral("BackgroundColor"), s.BackgroundColor);
    s.MaxUndo = std::max(0, ini.ReadInteger(kCommon, QStringLiteral("MaxUndo"), s.MaxUndo));
    s.ShowStatusBar = ini.ReadBool(kCommon, QStringLiteral("ShowStatusBar"), s.ShowStatusBar);
}

void readTools(const TIniFile& ini, TMainSettings& s)
{
    const auto byte = [&](const char* key, std::uint8_t def) {
        return lowByte(ini.ReadInteger(kSettingsRead, QLatin1String(key), def));
    };
    const auto ranged = [&](const char* key, int def, int low, int high) {
        return std::clamp(ini.ReadInteger(kSettingsRead, QLatin1String(key), def), low, high);
    };
    s.MagicWandTolerance = byte("MagicWandTolerance", s.MagicWandTolerance);
    s.PaintTolerance = byte("PaintTolerance", s.PaintTolerance);
    s.PaintAlphaChannel = std::min<std::uint8_t>(byte("PaintAlphaChannel", s.PaintAlphaChannel), 100);
    s.MergeAlphaChannel = std::min<std::uint8_t>(byte("MergeAlphaChannel", s.MergeAlphaChannel), 100);
    s.PenMode = byte("PenMode", s.PenMode);
    if (s.PenMode != 12 && s.PenMode != 13)
        s.PenMode = 12;
    s.PenAntiAlias = ini.ReadBool(kSettingsRead, QStringLiteral("PenAntiAlias"), s.PenAntiAlias);
    s.PenAlphaChannel = ranged("PenAlphaChannel", s.PenAlphaChannel, 0, 100);
    s.BrushSize = ranged("BrushSize", s.BrushSize, 1, 100);
    s.BrushStep = ranged("BrushStep", s.BrushStep, 0, 200);
    s.BrushHardness = ranged("BrushHardness", s.BrushHardness, 0, 100);
    s.BrushStyle = byte("BrushStyle", s.BrushStyle);
    if (s.BrushStyle > 5)
        s.BrushStyle = 0;
    s.ShowProperty = ini.ReadBool(kSettingsRead, QStringLiteral("ShowProperty"), s.ShowProperty);
}

void readSaveOptions(const TIniFile& ini, TMainSettings& s)
{
    s.JpegQuality = ini.ReadInteger(kSaveOptions, QStringLiteral("JpegQuality"), s.JpegQuality);
    s.Jpeg2kQuality = ini.ReadInteger(kSaveOptions, QStringLiteral("Jpeg2kQuality"), s.Jpeg2kQuality);
    s.Jpeg2kReversible = ini.ReadBool(kSaveOptions, QStringLiteral("Jpeg2kReversible"), s.Jpeg2kReversible);
}

} // namespace

QString HexColorText(TColor color)
{
    return QStringLiteral("%1").arg(color, 6, 16, QChar('0')).toUpper();
}

std::optional<TColor> ParseHexColorText(const QString& text)
{
    const auto v = TIniFile::ParseInteger(QLatin1Char('$') + text.trimmed());
    if (!v)
        return std::nullopt;
    return TColor(*v) & 0xFFFFFFu;
}

TMainSettings ReadMainSettings(const TIniFile& ini)
{
    TMainSettings s;
    readCommon(ini, s);
    readTools(ini, s);
    s.CustomColors = ini.ReadSectionValues(kCustomColors).mid(0, kMaxCustomColors);
    readSaveOptions(ini, s);
    return s;
}

bool WriteMainSettings(TIniFile& ini, const TMainSettings& s)
{
    bool ok = ini.WriteString(kCommon, QStringLiteral("Placement"), s.Placement);
    ok &= ini.WriteString(kCommon, QStringLiteral("ForegroundColor"), HexColorText(s.ForegroundColor));
    ok &= ini.WriteString(kCommon, QStringLiteral("BackgroundColor"), HexColorText(s.BackgroundColor));
    ok &= ini.WriteInteger(kCommon, QStringLiteral("MaxUndo"), s.MaxUndo);
    ok &= ini.WriteBool(kCommon, QStringLiteral("ShowStatusBar"), s.ShowStatusBar);
    const auto tool = [&](const char* key, int value) {
        return ini.WriteInteger(kSettingsWrite, QLatin1String(key), value);
    };
    ok &= tool("MagicWandTolerance", s.MagicWandTolerance);
    ok &= tool("PaintTolerance", s.PaintTolerance);
    ok &= tool("PaintAlphaChannel", s.PaintAlphaChannel);
    ok &= tool("MergeAlphaChannel", s.MergeAlphaChannel);
    ok &= tool("PenMode", s.PenMode);
    ok &= ini.WriteBool(kSettingsWrite, QStringLiteral("PenAntiAlias"), s.PenAntiAlias);
    ok &= tool("PenAlphaChannel", s.PenAlphaChannel);
    ok &= tool("BrushSize", s.BrushSize);
    ok &= tool("BrushStep", s.BrushStep);
    ok &= tool("BrushHardness", s.BrushHardness);
    ok &= tool("BrushStyle", s.BrushStyle);
    ok &= ini.WriteBool(kSettingsWrite, QStringLiteral("ShowProperty"), s.ShowProperty);
    for (int i = 0; i < std::min<int>(int(s.CustomColors.size()), kMaxCustomColors); ++i) {
        const QString& entry = s.CustomColors.at(i);
        const QString value = entry.mid(entry.indexOf('=') + 1, 6);
        ok &= ini.WriteString(kCustomColors, QStringLiteral("Color") + QChar('A' + i), value);
    }
    ok &= ini.WriteInteger(kSaveOptions, QStringLiteral("JpegQuality"), s.JpegQuality);
    ok &= ini.WriteInteger(kSaveOptions, QStringLiteral("Jpeg2kQuality"), s.Jpeg2kQuality);
    ok &= ini.WriteBool(kSaveOptions, QStringLiteral("Jpeg2kReversible"), s.Jpeg2kReversible);
    return ok;
}

} // namespace kalvo
