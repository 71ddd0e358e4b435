#include "app/settings/MainSettings.h"

#include "app/settings/IniFile.h"
#include "config/IniText.h"

#include <algorithm>

namespace kalvo {

namespace {

const QString kCommon = QStringLiteral("COMMON");
const QString kSettingsRead = QStringLiteral("SETTINGS");
// Written with this spelling; names match without regard to case.
const QString kSettingsWrite = QStringLiteral("Settings");
const QString kCustomColors = QStringLiteral("CUSTOM_COLORS");
const QString kSaveOptions = QStringLiteral("SAVE_OPTIONS");
// The shapes and the text tool keep their settings in sections of their own.
const QString kShape = QStringLiteral("Shape");
const QString kText = QStringLiteral("Text");
constexpr int kMaxCustomColors = 16;

std::uint8_t lowByte(int v)
{
    return std::uint8_t(unsigned(v) & 0xFFu);
}

TColor readHexColor(const TIniText& ini, const QString& key, TColor def)
{
    return ParseHexColorText(IniString(ini, kCommon, key, HexColorText(def))).value_or(def);
}

void readCommon(const TIniText& ini, TMainSettings& s)
{
    s.Placement = IniString(ini, kCommon, QStringLiteral("Placement"), s.Placement);
    s.ForegroundColor = readHexColor(ini, QStringLiteral("ForegroundColor"), s.ForegroundColor);
    s.BackgroundColor = readHexColor(ini, QStringLiteral("BackgroundColor"), s.BackgroundColor);
    s.MaxUndo = std::max(0, IniInteger(ini, kCommon, QStringLiteral("MaxUndo"), s.MaxUndo));
    s.ShowStatusBar = IniBool(ini, kCommon, QStringLiteral("ShowStatusBar"), s.ShowStatusBar);
}

void readTools(const TIniText& ini, TMainSettings& s)
{
    const auto byte = [&](const char* key, std::uint8_t def) {
        return lowByte(IniInteger(ini, kSettingsRead, QLatin1String(key), def));
    };
    const auto ranged = [&](const char* key, int def, int low, int high) {
        return std::clamp(IniInteger(ini, kSettingsRead, QLatin1String(key), def), low, high);
    };
    s.Tools.MagicWandTolerance = byte("MagicWandTolerance", s.Tools.MagicWandTolerance);
    s.Tools.PaintTolerance = byte("PaintTolerance", s.Tools.PaintTolerance);
    s.Tools.PaintAlphaChannel = std::min<std::uint8_t>(byte("PaintAlphaChannel", s.Tools.PaintAlphaChannel), 100);
    s.Tools.MergeAlphaChannel = std::min<std::uint8_t>(byte("MergeAlphaChannel", s.Tools.MergeAlphaChannel), 100);
    s.PenMode = byte("PenMode", s.PenMode);
    if (s.PenMode != 12 && s.PenMode != 13)
        s.PenMode = 12;
    s.Tools.PenAntiAlias = IniBool(ini, kSettingsRead, QStringLiteral("PenAntiAlias"), s.Tools.PenAntiAlias);
    s.Tools.PenAlphaChannel = ranged("PenAlphaChannel", s.Tools.PenAlphaChannel, 0, 100);
    s.Tools.BrushSize = ranged("BrushSize", s.Tools.BrushSize, 1, 100);
    s.Tools.BrushStep = ranged("BrushStep", s.Tools.BrushStep, 0, 200);
    s.Tools.BrushHardness = ranged("BrushHardness", s.Tools.BrushHardness, 0, 100);
    const std::uint8_t style = byte("BrushStyle", std::uint8_t(s.Tools.BrushStyle));
    s.Tools.BrushStyle = style > 5 ? TpxBrushStyle::pxsRound : TpxBrushStyle(style);
    s.ShowProperty = IniBool(ini, kSettingsRead, QStringLiteral("ShowProperty"), s.ShowProperty);
}

void readAnnotation(const TIniText& ini, TToolSettings& t)
{
    const auto ranged = [&](const QString& section, const char* key, int def, int low, int high) {
        return std::clamp(IniInteger(ini, section, QLatin1String(key), def), low, high);
    };
    t.ShapeKind = TShapeKind(ranged(kShape, "Kind", int(t.ShapeKind), 0, 4));
    t.ShapeFill = TShapeFill(ranged(kShape, "Fill", int(t.ShapeFill), 0, 2));
    t.ShapeWidth = ranged(kShape, "Width", t.ShapeWidth, 1, 100);
    t.ShapeRadius = ranged(kShape, "Radius", t.ShapeRadius, 0, 500);
    t.ShapeAntiAlias = IniBool(ini, kShape, QStringLiteral("AntiAlias"), t.ShapeAntiAlias);
    t.ShapeAlphaChannel = ranged(kShape, "AlphaChannel", t.ShapeAlphaChannel, 0, 100);
    t.TextFont = IniString(ini, kText, QStringLiteral("Font"), QString::fromStdString(t.TextFont)).toStdString();
    t.TextSize = ranged(kText, "Size", t.TextSize, 6, 300);
    t.TextBold = IniBool(ini, kText, QStringLiteral("Bold"), t.TextBold);
    t.TextItalic = IniBool(ini, kText, QStringLiteral("Italic"), t.TextItalic);
    t.TextAntiAlias = IniBool(ini, kText, QStringLiteral("AntiAlias"), t.TextAntiAlias);
    t.TextAlphaChannel = ranged(kText, "AlphaChannel", t.TextAlphaChannel, 0, 100);
}

void writeAnnotation(TIniText& ini, const TToolSettings& t)
{
    const auto number = [&](const QString& section, const char* key, int value) {
        ini.SetValue(section, QLatin1String(key), QString::number(value));
    };
    number(kShape, "Kind", int(t.ShapeKind));
    number(kShape, "Fill", int(t.ShapeFill));
    number(kShape, "Width", t.ShapeWidth);
    number(kShape, "Radius", t.ShapeRadius);
    number(kShape, "AntiAlias", t.ShapeAntiAlias ? 1 : 0);
    number(kShape, "AlphaChannel", t.ShapeAlphaChannel);
    ini.SetValue(kText, QStringLiteral("Font"), QString::fromStdString(t.TextFont));
    number(kText, "Size", t.TextSize);
    number(kText, "Bold", t.TextBold ? 1 : 0);
    number(kText, "Italic", t.TextItalic ? 1 : 0);
    number(kText, "AntiAlias", t.TextAntiAlias ? 1 : 0);
    number(kText, "AlphaChannel", t.TextAlphaChannel);
}

void readSaveOptions(const TIniText& ini, TMainSettings& s)
{
    s.JpegQuality = IniInteger(ini, kSaveOptions, QStringLiteral("JpegQuality"), s.JpegQuality);
    s.Jpeg2kQuality = IniInteger(ini, kSaveOptions, QStringLiteral("Jpeg2kQuality"), s.Jpeg2kQuality);
    s.Jpeg2kReversible = IniBool(ini, kSaveOptions, QStringLiteral("Jpeg2kReversible"), s.Jpeg2kReversible);
    s.WebpQuality = std::clamp(IniInteger(ini, kSaveOptions, QStringLiteral("WebpQuality"), s.WebpQuality), 1, 100);
    s.WebpLossless = IniBool(ini, kSaveOptions, QStringLiteral("WebpLossless"), s.WebpLossless);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
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

TMainSettings ReadMainSettings(const TIniFile& file)
{
    // One read of the file for all keys; an unreadable file reads as empty.
    const TIniText ini = file.Load().value_or(TIniText());
    TMainSettings s;
    readCommon(ini, s);
    readTools(ini, s);
    readAnnotation(ini, s.Tools);
    s.CustomColors = ini.SectionValues(kCustomColors).mid(0, kMaxCustomColors);
    readSaveOptions(ini, s);
    return s;
}

bool WriteMainSettings(TIniFile& file, const TMainSettings& s)
{
    // Every key set in the text read once, then the file replaced once.
    std::optional<TIniText> text = file.Load();
    if (!text)
        return false;
    TIniText& ini = *text;
    ini.SetValue(kCommon, QStringLiteral("Placement"), s.Placement);
    ini.SetValue(kCommon, QStringLiteral("ForegroundColor"), HexColorText(s.ForegroundColor));
    ini.SetValue(kCommon, QStringLiteral("BackgroundColor"), HexColorText(s.BackgroundColor));
    ini.SetValue(kCommon, QStringLiteral("MaxUndo"), QString::number(s.MaxUndo));
    ini.SetValue(kCommon, QStringLiteral("ShowStatusBar"), boolText(s.ShowStatusBar));
    const auto tool = [&](const char* key, int value) {
        ini.SetValue(kSettingsWrite, QLatin1String(key), QString::number(value));
    };
    tool("MagicWandTolerance", s.Tools.MagicWandTolerance);
    tool("PaintTolerance", s.Tools.PaintTolerance);
    tool("PaintAlphaChannel", s.Tools.PaintAlphaChannel);
    tool("MergeAlphaChannel", s.Tools.MergeAlphaChannel);
    tool("PenMode", s.PenMode);
    ini.SetValue(kSettingsWrite, QStringLiteral("PenAntiAlias"), boolText(s.Tools.PenAntiAlias));
    tool("PenAlphaChannel", s.Tools.PenAlphaChannel);
    tool("BrushSize", s.Tools.BrushSize);
    tool("BrushStep", s.Tools.BrushStep);
    tool("BrushHardness", s.Tools.BrushHardness);
    tool("BrushStyle", int(s.Tools.BrushStyle));
    ini.SetValue(kSettingsWrite, QStringLiteral("ShowProperty"), boolText(s.ShowProperty));
    writeAnnotation(ini, s.Tools);
    for (int i = 0; i < std::min<int>(int(s.CustomColors.size()), kMaxCustomColors); ++i) {
        const QString& entry = s.CustomColors.at(i);
        const QString value = entry.mid(entry.indexOf('=') + 1, 6);
        ini.SetValue(kCustomColors, QStringLiteral("Color") + QChar('A' + i), value);
    }
    ini.SetValue(kSaveOptions, QStringLiteral("JpegQuality"), QString::number(s.JpegQuality));
    ini.SetValue(kSaveOptions, QStringLiteral("Jpeg2kQuality"), QString::number(s.Jpeg2kQuality));
    ini.SetValue(kSaveOptions, QStringLiteral("Jpeg2kReversible"), boolText(s.Jpeg2kReversible));
    ini.SetValue(kSaveOptions, QStringLiteral("WebpQuality"), QString::number(s.WebpQuality));
    ini.SetValue(kSaveOptions, QStringLiteral("WebpLossless"), boolText(s.WebpLossless));
    return file.Store(ini);
}

} // namespace kalvo
