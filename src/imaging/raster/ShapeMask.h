#pragma once
// The shapes tool's figures as pixel coverage: a line, an arrow, a rectangle, a rounded
// rectangle and an ellipse between two pixels, outlined, filled or both. This is the aliased
// geometry (every covered pixel fully), the one palette pictures get and the exact one of a
// width-1 shape: a line is the one-pixel line through both end pixels, a rectangle's outline
// runs through both corner pixels.
#include "imaging/raster/ByteTable.h"

#include <QPoint>
#include <QRect>

#include <cstdint>

namespace kalvo {

enum class TShapeKind : std::uint8_t { Line = 0, Arrow = 1, Rect = 2, RoundRect = 3, Ellipse = 4 };
enum class TShapeFill : std::uint8_t { Outline = 0, FillOnly = 1, Both = 2 };

struct TShapeSpec {
    TShapeKind Kind = TShapeKind::Rect;
    TShapeFill Fill = TShapeFill::Outline;
    QPoint From;    // the press pixel
    QPoint To;      // the release pixel (the arrow's tip)
    int Width = 1;  // outline width in pixels, 1..100
    int Radius = 0; // corner radius of the rounded rectangle
};

// Coverage of a part of the image: Table[y][x] (0..255) is how much of the colour pixel
// (Origin.x + x, Origin.y + y) takes.
struct TCoverage {
    QPoint Origin;
    TByteTable Table;
    QRect Area() const { return QRect(Origin, QSize(Table.width(), Table.height())); }
};

// The outline (with the arrow's head) in the foreground colour and the inside in the
// background colour. A part the fill setting leaves out is empty; lines have no inside.
struct TShapeCoverage {
    TCoverage Stroke;
    TCoverage Fill;
};

// The arrow's head: its tip is the line's end; it is 3 x width + 6 long (at most the line's
// length) and as wide as long. Points in pixel-centre coordinates.
struct TArrowHead {
    double TipX = 0, TipY = 0, LeftX = 0, LeftY = 0, RightX = 0, RightY = 0, BaseX = 0, BaseY = 0;
};
TArrowHead ArrowHeadOf(QPoint from, QPoint to, int width);

// The image pixels a shape can touch (also anti-aliased).
QRect ShapeBounds(const TShapeSpec& spec);

// The aliased coverage (0 or 255) of the shape.
TShapeCoverage AliasedShapeCoverage(const TShapeSpec& spec);

} // namespace kalvo
