#pragma once
// The hand (drag to scroll; the grab point stays under the pointer) and click zoom (left zooms
// in, any other button out, about the pointer).
#include "canvas/tools/CanvasTool.h"

namespace kalvo {

// One hand step: the scroll position that brings image point dragStart (now shown at client
// point s) under the pointer x, per axis Scroll + Trunc((s - x) / ZoomFactor).
QPoint HandScrollTarget(const TViewGeometry& view, QPoint s, QPoint pointer);

class THandTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;

    void Press(const TToolMouse& m) override;
    void Move(const TToolMouse& m) override;
    void Release(const TToolMouse& m) override;
    void Cancel() override;
    std::optional<QCursor> Cursor() const override;
    QPoint DragStart() const { return FDragStart; }

private:
    QPoint FDragStart;
};

class TZoomTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;

    void Press(const TToolMouse& m) override;
    std::optional<QCursor> Cursor() const override;
};

} // namespace kalvo
