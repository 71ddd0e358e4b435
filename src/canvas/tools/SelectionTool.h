#pragma once
// What every selection mode (free-hand, rectangle, ellipse, magic wand, point) shares: the
// modifier keys followed by their own key codes, the combination mode they give, the corner
// handles of a rectangular selection (press on one drags that corner as a rectangle), the
// hover and diagonal cursors, Alt, Escape and finishing a gesture into the selection.
#include "canvas/tools/CanvasTool.h"

namespace kalvo {

// The four handles in the order they are tested: upper left, lower right, upper right, lower left.
enum class TCornerHandle { None, UpperLeft, LowerRight, UpperRight, LowerLeft };

// The handle whose 7 x 7 square (centre +-3) holds client point p, for a selection box in image
// coordinates shown with the view.
TCornerHandle HitCornerHandle(const TViewGeometry& view, const TRect& box, QPoint p, int scale = 1);

class TSelectionTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;

    void Press(const TToolMouse& m) final;
    void Move(const TToolMouse& m) final;
    void Release(const TToolMouse& m) final;
    void DoubleClick(const TToolMouse& m) override;
    bool KeyDown(const TToolKey& k) override;
    bool KeyUp(const TToolKey& k) override;
    void Cancel() override;
    std::optional<QCursor> Cursor() const override;
    void PaintOverlay(QPainter& painter) override;

    // RGN_COPY without a selection or during a corner drag; else Shift adds, Ctrl subtracts.
    int CombineMode() const;
    bool CornerDrag() const { return FCornerDrag; }
    bool AltDown() const { return FAlt; }
    QPoint Anchor() const { return FAnchor; }
    QPoint CurrentPoint() const { return FCurrent; }

protected:
    // The mode's own gesture (the left press when it grabbed no handle, every move and release
    // outside a corner drag).
    virtual void OwnPress(const TToolMouse&) { }
    virtual void OwnMove(const TToolMouse&) { }
    virtual void OwnRelease(const TToolMouse&) { }
    // The shape of the finished gesture; absent removes the selection.
    virtual TRegionRef BuildRegion() { return std::nullopt; }
    // The overlay of the mode's own gesture while Selecting.
    virtual void PaintOwnOverlay(QPainter&) { }
    // The mode cursor for the combination mode (the plus and minus forms).
    virtual int CursorNumber(int combineMode) const;
    // The shape's client-area bounds for repainting (empty: the whole viewport).
    virtual void RequestRepaint() { Host().UpdateClient(); }

    // Rectangle gesture: press, move and release of the rectangle tool and of corner drags.
    void RectPress(const TToolMouse& m);
    void RectMove(const TToolMouse& m);
    void RectRelease(const TToolMouse& m);
    // The rectangle from Anchor to CurrentPoint (a square with Alt); the rubber band of it.
    TRegionRef RectRegion() const;
    void PaintRectBand(QPainter& painter) const;

    // Selecting := false and the shape combined by the combination mode of this moment.
    void FinishSelection();
    void SetAnchor(QPoint p) { FAnchor = p; }
    void SetCurrentPoint(QPoint p) { FCurrent = p; }
    void NoteModifiers(Qt::KeyboardModifiers mods);
    Qt::KeyboardModifiers Modifiers() const { return FMods; }

private:
    bool StartCornerDrag(const TToolMouse& m);
    void UpdateHoverCursor(QPoint p);

    QPoint FAnchor;
    QPoint FCurrent;
    bool FCornerDrag = false;
    bool FAlt = false;
    Qt::KeyboardModifiers FMods = Qt::NoModifier;
    TCornerHandle FHover = TCornerHandle::None;
};

} // namespace kalvo
