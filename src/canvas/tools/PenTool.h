#pragma once
// The pen: free-hand strokes (mmPenFreehand) and straight lines (mmPenLine) in the foreground
// colour. While the button is held the stroke is previewed inverted over the frame; on release
// it is drawn into the image: anti-aliased or transparent strokes through the rasterised pen
// above 8 bits per pixel, the plain one-pixel pen otherwise, always inside the selection.
#include "canvas/tools/CanvasTool.h"
#include "image/Geometry.h"

namespace kalvo {

// The Shift constraint of the straight line: the end moved so that the line from start is
// horizontal (|slope| < 0.5), vertical (|slope| > 1.5) or diagonal (between), the diagonal taking
// the longer of the two distances. An end straight above or below the start stays.
QPoint ConstrainLineEnd(QPoint start, QPoint end);

class TPenTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;
    void Press(const TToolMouse& mouse) override;
    void Move(const TToolMouse& mouse) override;
    void Release(const TToolMouse& mouse) override;
    bool KeyDown(const TToolKey& key) override;
    void Cancel() override;
    void PaintOverlay(QPainter& painter) override;

    // The stroke in progress in image pixels (start and end for the line).
    const TPoints& PenPoints() const { return FPoints; }

private:
    bool IsLine() const { return Mode() == mmPenLine; }
    // The client rectangle the preview of points a..b covers.
    QRect PreviewArea(QPoint a, QPoint b) const;
    void EndStroke();

    TPoints FPoints;
    bool FStroking = false;
};

} // namespace kalvo
