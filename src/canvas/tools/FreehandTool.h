#pragma once
// Free-hand and polygon selection: dragging adds free-hand edges, left clicks add straight
// edges; a right-button release or a double click closes the outline into the selection.
#include "canvas/tools/SelectionTool.h"

namespace kalvo {

class TFreehandTool : public TSelectionTool {
public:
    using TSelectionTool::TSelectionTool;

    void DoubleClick(const TToolMouse& m) override;
    // The vertices so far (image coordinates).
    const TPoints& SelectionPoints() const { return FPoints; }
    bool RubberLineShown() const { return FRubberShown; }

protected:
    void OwnPress(const TToolMouse& m) override;
    void OwnMove(const TToolMouse& m) override;
    void OwnRelease(const TToolMouse& m) override;
    TRegionRef BuildRegion() override;
    void PaintOwnOverlay(QPainter& painter) override;

private:
    // Appends a vertex unless it equals the last one.
    void AddVertex(QPoint p);

    TPoints FPoints;
    bool FRubberShown = false;
    QPoint FRubberEnd; // client position of the rubber line's free end
};

} // namespace kalvo
