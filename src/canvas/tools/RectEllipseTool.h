#pragma once
// Rectangle selection (corners clamped to the image edge; a square with Alt) and ellipse
// selection drawn from its centre (not clamped; a circle with Alt).
#include "canvas/tools/SelectionTool.h"

namespace kalvo {

// The ellipse selection of a gesture from centre c to rim point e in an image of w x h: empty
// when its box lies wholly left of column 0, above row 0, at or beyond column w or row h, or has
// no width or height; otherwise the inscribed ellipse clipped to the image.
TRegion EllipseSelection(QPoint c, QPoint e, bool circle, int w, int h);

class TRectEllipseTool : public TSelectionTool {
public:
    using TSelectionTool::TSelectionTool;

protected:
    void OwnPress(const TToolMouse& m) override;
    void OwnMove(const TToolMouse& m) override;
    void OwnRelease(const TToolMouse& m) override;
    TRegionRef BuildRegion() override;
    void PaintOwnOverlay(QPainter& painter) override;
};

} // namespace kalvo
