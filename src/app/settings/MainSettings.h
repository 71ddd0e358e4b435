#pragma once
// The main window's settings: the "COMMON", "SETTINGS", "CUSTOM_COLORS" and "SAVE_OPTIONS"
// sections of "Kalvo2.ini". Values are held here for the window and the canvas tools.
#include "image/Color.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kalvo {

class TIniFile;

struct TMainSettings {
    QString Placement = QStringLiteral("DUMMY");
    TColor ForegroundColor = clBlack;
    TColor BackgroundColor = clWhite;
    int MaxUndo = 16;
    bool ShowStatusBar = true;

    std::uint8_t MagicWandTolerance = 10;
    std::uint8_t PaintTolerance = 10;
    std::uint8_t PaintAlphaChannel = 0;
    std::uint8_t MergeAlphaChannel = 0;
    std::uint8_t PenMode = 12;
    bool PenAntiAlias = false;
    int PenAlphaChannel = 0;
    int BrushSize = 10;
    int BrushStep = 20;
    int BrushHardness = 0;
    std::uint8_t BrushStyle = 0;
    bool ShowProperty = true;

    // "ColorA=RRGGBB"-style lines of the colour dialog's custom colours, at most 16.
    QStringList CustomColors;

    int JpegQuality = 80;
    int Jpeg2kQuality = 400;
    bool Jpeg2kReversible = true;
};

// Reads every key; missing or malformed values give the defaults above. Byte-sized values keep
// their low 8 bits; values outside the ranges the tools accept are brought into them.
TMainSettings ReadMainSettings(const TIniFile& ini);
// Writes every key with one replacement of the file; false when the file could not be read or
// written, and it is then left as it was.
bool WriteMainSettings(TIniFile& ini, const TMainSettings& settings);

// "$"-less hexadecimal colour text of the "COMMON" colours: at least six upper-case digits.
QString HexColorText(TColor color);
// The value of such a text (as "$" + text); nullopt when it is not hexadecimal.
std::optional<TColor> ParseHexColorText(const QString& text);

} // namespace kalvo
