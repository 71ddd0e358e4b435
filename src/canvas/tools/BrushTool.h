#pragma once
// The soft brush: dabs of the brush tip in the foreground colour along the mouse path, painted
// straight into the image through the selection mask, with only the changed part of the screen
// refreshed on every move. One undo step covers the stroke (begin and end notifications); the
// pixels each dab paints over are kept in the canvas's stroke backup before it paints.
#include "canvas/tools/CanvasTool.h"
#include "imaging/raster/BrushStamp.h"
#include "imaging/raster/PenBrush.h"

namespace kalvo {

// The spacing between dabs: Round(size * step / 100), ties to even, at least 1 pixel.
int BrushSpacing(int size, int stepPercent);

class TBrushTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;
    void Press(const TToolMouse& mouse) override;
    void Move(const TToolMouse& mouse) override;
    void Release(const TToolMouse& mouse) override;
    void Cancel() override;

    bool Stroking() const { return FStroking; }

private:
    // The image rectangle dabs between a and b can touch.
    QRect DabArea(QPoint a, QPoint b) const;
    // The mask the dabs go through: the canvas's, or one made from the region for this stroke
    // (the brush never paints outside the selection); nullptr selects everything.
    const TBitmap* StrokeMask() const;
    // Keeps the pixels the dabs between a and b can touch for the undo step; false (the dabs are
    // then left out) when there is no memory for them.
    bool SaveDabArea(QPoint a, QPoint b);
    void EndStroke();

    std::optional<TBitmap> FRegionMask;
    TpxPenBrush FTip;
    TBrushTrail FTrail;
    QPoint FAnchor;
    int FStep = 1;
    bool FStroking = false;
};

} // namespace kalvo
