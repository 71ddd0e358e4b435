#pragma once
// The main window's settings: the "COMMON", "SETTINGS", "CUSTOM_COLORS" and "SAVE_OPTIONS"
// sections of "Kalvo2.ini". Values are held here for the window and the canvas tools.
#include "canvas/ToolSettings.h"
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

    // The canvas tools' settings with the defaults of a fresh settings file.
    TToolSettings Tools = [] {
        TToolSettings t;
        t.MagicWandTolerance = 10;
        t.PaintTolerance = 10;
        t.BrushSize = 10;
        t.BrushStep = 20;
        return t;
    }();
    std::uint8_t PenMode = 12;
    bool ShowProperty = true;

    // "ColorA=RRGGBB"-style lines of the colour dialog's custom colours, at most 16.
    QStringList CustomColors;

    int JpegQuality = 80;
    int Jpeg2kQuality = 400;
    bool Jpeg2kReversible = true;
    int WebpQuality = 80; // brought into 1..100
    bool WebpLossless = false;
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
