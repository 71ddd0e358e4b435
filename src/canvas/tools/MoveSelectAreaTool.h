#pragma once
// The pixel move (mmMoveSelectArea): dragging lifts the selected pixels and shows them at an
// offset that successive drags add to; Shift copies instead of moving. The pixels are written
// only by Apply (the canvas's ApplyOperation), Cancel abandons the offset.
#include "canvas/FloatPreview.h"
#include "canvas/tools/CanvasTool.h"
#include "canvas/tools/FloatingDrag.h"

namespace kalvo {

class TMoveSelectAreaTool : public TCanvasTool {
public:
    TMoveSelectAreaTool(TToolHost& host, TMouseMode mode) : TCanvasTool(host, mode), FDrag(host) { }

    void Enter() override;
    void Leave() override;
    void Press(const TToolMouse& m) override;
    void Move(const TToolMouse& m) override;
    void Release(const TToolMouse& m) override;
    bool KeyDown(const TToolKey& k) override;
    bool KeyUp(const TToolKey& k) override;
    void Cancel() override;
    void PaintOverlay(QPainter& painter) override;
    QRect MarchingOutlineArea() const override;

    QPoint FloatOffset() const { return FFloatOffset; }
    bool CopyMode() const { return FCopyMode; }
    bool DragInProgress() const { return FDrag.Active(); }
    // Back to the unmoved state: offset (0, 0), no preview, the drag (if any) ended.
    void Abandon();

private:
    void setCopyMode(bool value);
    bool floating() const;
    // Where the outline goes with the pixels (client pixels) and the displayed image it is
    // clipped to.
    QPoint outlineShift() const;
    QRect displayedClip() const;

    QPoint FFloatOffset;
    bool FCopyMode = false;
    TFloatingDrag FDrag;
    TRegionRef FScaledSelection; // the region at the zoom of ScaledZoom
    int FScaledZoom = 0;
    TRegion FScaledFrom; // the selection ScaledSelection was made from
    TFloatPreview FPreview;
};

} // namespace kalvo
