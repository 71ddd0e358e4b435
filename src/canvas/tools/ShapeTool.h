#pragma once
// The shapes (mmShape): a drag draws a line, an arrow, a rectangle, a rounded rectangle or an
// ellipse between the press and the release pixel, shown live over the frame and drawn into the
// image on release (one undo step). Shift constrains lines to 45-degree steps and boxes to
// squares; Escape during the drag abandons it.
#include "canvas/tools/CanvasTool.h"
#include "imaging/raster/ShapeMask.h"

namespace kalvo {

// The Shift constraint of a box: the end moved so that the box from start is a square, its side
// the longer of the two distances.
QPoint ConstrainSquareEnd(QPoint start, QPoint end);

class TShapeTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;
    void Press(const TToolMouse& mouse) override;
    void Move(const TToolMouse& mouse) override;
    void Release(const TToolMouse& mouse) override;
    bool KeyDown(const TToolKey& key) override;
    void Cancel() override;
    std::optional<QCursor> Cursor() const override;
    void PaintOverlay(QPainter& painter) override;

    bool Dragging() const { return FDragging; }
    // The shape of the drag in progress (from the settings and the two pixels).
    TShapeSpec Spec() const;

private:
    QPoint EndFor(const TToolMouse& mouse) const;
    // The client rectangle the preview of the current shape covers.
    QRect PreviewArea() const;
    void EndDrag();

    bool FDragging = false;
    QPoint FFrom;
    QPoint FTo;
};

} // namespace kalvo
