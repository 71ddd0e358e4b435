#pragma once
// The shapes tool's figures as painter paths in image coordinates (pixel (x, y) covers the
// square x..x+1, y..y+1): the live preview draws them over the frame, and the anti-aliased
// commit renders them into coverage tables.
#include "imaging/raster/ShapeMask.h"

#include <QPainterPath>
#include <QTransform>

class QPainter;

namespace kalvo {

struct TViewGeometry;

// Stroke: the outline (or line with its head) as an area; Fill: the inside. Either may be empty
// as the fill setting says.
struct TShapePaths {
    QPainterPath Stroke;
    QPainterPath Fill;
};
TShapePaths ShapePathsOf(const TShapeSpec& spec);

// The anti-aliased coverage of the paths (for pictures above 8 bits).
TShapeCoverage AntiAliasedShapeCoverage(const TShapeSpec& spec);

// Image coordinates -> client pixels of the view.
QTransform ImageToClientTransform(const TViewGeometry& view);

} // namespace kalvo
