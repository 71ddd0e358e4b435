#pragma once
// The outline move (mmMoveRegion): dragging moves only the selection's outline, drawn from a
// copy of the zoomed outline taken at the press; the release moves the selection once.
#include "canvas/tools/CanvasTool.h"
#include "canvas/tools/FloatingDrag.h"

namespace kalvo {

class TMoveRegionTool : public TCanvasTool {
public:
    TMoveRegionTool(TToolHost& host, TMouseMode mode) : TCanvasTool(host, mode), FDrag(host) { }

    void Leave() override;
    void Press(const TToolMouse& m) override;
    void Move(const TToolMouse& m) override;
    void Release(const TToolMouse& m) override;
    bool KeyDown(const TToolKey& k) override;
    void Cancel() override;
    void PaintOverlay(QPainter& painter) override;

    bool Active() const { return FDrag.Active(); }
    QPoint MoveOffset() const { return FMoveOffset; }

private:
    QPoint limited(QPoint offset) const;
    // Ends the drag: capture, flags and the lock.
    void endDrag();

    TFloatingDrag FDrag;
    QPoint FMoveOffset;
    TPoints FSavedOutline;
};

} // namespace kalvo
