#pragma once
// The settings the canvas tools read: tolerances, transparencies and the pen and brush
// parameters. One value shared by the canvas, the settings file code and the property window.
#include "imaging/raster/PenBrush.h"
#include "imaging/raster/ShapeMask.h"

#include <cstdint>
#include <string>

namespace kalvo {

struct TToolSettings {
    std::uint8_t MagicWandTolerance = 0; // colour tolerance of the magic wand, 0..200
    std::uint8_t PaintTolerance = 0;     // colour tolerance of the flood fill, 0..200
    std::uint8_t PaintAlphaChannel = 0;  // transparency of the flood fill, 0..100
    std::uint8_t MergeAlphaChannel = 0;  // transparency of the floating paste, 0..100
    bool PenAntiAlias = false;
    int PenAlphaChannel = 0; // pen transparency, 0..100
    int BrushSize = 1;       // 1..100
    int BrushHardness = 0;   // 0..100
    int BrushStep = 0;       // spacing in per cent of the size, 0..200
    TpxBrushStyle BrushStyle = TpxBrushStyle::pxsRound;
    int BrushAlphaChannel = 0; // kept and passed along; brush dabs ignore it
    // The shapes: kind, outline and fill, line width, corner radius, anti-aliasing, transparency.
    TShapeKind ShapeKind = TShapeKind::Rect;
    TShapeFill ShapeFill = TShapeFill::Outline;
    int ShapeWidth = 1;  // 1..100
    int ShapeRadius = 8; // corner radius of the rounded rectangle, 0..500
    bool ShapeAntiAlias = false;
    int ShapeAlphaChannel = 0; // 0..100
    // The text: font family (empty: the application font), size in points at 96 dpi (6..300),
    // bold, italic, anti-aliasing and transparency.
    std::string TextFont;
    int TextSize = 12;
    bool TextBold = false;
    bool TextItalic = false;
    bool TextAntiAlias = true;
    int TextAlphaChannel = 0; // 0..100

    friend bool operator==(const TToolSettings&, const TToolSettings&) = default;
};

} // namespace kalvo
