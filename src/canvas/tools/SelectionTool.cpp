#include "canvas/tools/SelectionTool.h"

#include "canvas/CanvasCursors.h"
#include "canvas/DashedLine.h"
#include "canvas/DeviceScale.h"
#include "canvas/OutlineOverlay.h"
#include "canvas/PxImage.h"
#include "canvas/tools/RubberBand.h"

#include <QPainter>

#include <cstdlib>

namespace kalvo {

TCornerHandle HitCornerHandle(const TViewGeometry& view, const TRect& box, QPoint p, int scale)
{
    const int reach = CornerHandleReach(scale);
    const int ox = view.ImageLeft - view.Zoomed(view.ScrollX);
    const int oy = view.ImageTop - view.Zoomed(view.ScrollY);
    const int l = view.Zoomed(box.left) + ox, r = view.Zoomed(box.right) + ox;
    const int t = view.Zoomed(box.top) + oy, b = view.Zoomed(box.bottom) + oy;
    const auto near = [p, reach](int x, int y) { return std::abs(p.x() - x) <= reach && std::abs(p.y() - y) <= reach; };
    if (near(l, t))
        return TCornerHandle::UpperLeft;
    if (near(r, b))
        return TCornerHandle::LowerRight;
    if (near(r, t))
        return TCornerHandle::UpperRight;
    if (near(l, b))
        return TCornerHandle::LowerLeft;
    return TCornerHandle::None;
}

// --- Events -------------------------------------------------------------------------------------

void TSelectionTool::Press(const TToolMouse& m)
{
    NoteModifiers(m.Modifiers);
    if (m.Button != Qt::LeftButton) {
        // A right press during a polygon is awaited by its release, which finishes it.
        if (Host().HasImage())
            Host().SetDragging(m.Button == Qt::RightButton && Host().Selecting());
        return;
    }
    Host().SetDragging(true);
    if (StartCornerDrag(m))
        return;
    FCornerDrag = false;
    OwnPress(m);
}

void TSelectionTool::Move(const TToolMouse& m)
{
    NoteModifiers(m.Modifiers);
    if (FCornerDrag) {
        RectMove(m);
        Host().ApplyModeCursor();
        return;
    }
    if (!Host().Dragging() && !Host().Selecting())
        UpdateHoverCursor(m.Pos);
    OwnMove(m);
}

void TSelectionTool::Release(const TToolMouse& m)
{
    NoteModifiers(m.Modifiers);
    if (FCornerDrag) {
        if (m.Button == Qt::LeftButton)
            RectRelease(m);
        return;
    }
    OwnRelease(m);
}

void TSelectionTool::DoubleClick(const TToolMouse& m)
{
    NoteModifiers(m.Modifiers);
}

bool TSelectionTool::KeyDown(const TToolKey& k)
{
    Qt::KeyboardModifiers mods = k.Modifiers;
    switch (k.Key) {
    case Qt::Key_Alt:
        if (!FAlt) {
            FAlt = true;
            if (Host().Selecting())
                RequestRepaint();
        }
        mods |= Qt::AltModifier;
        break;
    case Qt::Key_Shift: mods |= Qt::ShiftModifier; break;
    case Qt::Key_Control: mods |= Qt::ControlModifier; break;
    case Qt::Key_Escape:
        if (IsSelectionMode(Mode()) && (Host().Dragging() || Host().Selecting() || FCornerDrag)) {
            Cancel();
            return true;
        }
        break;
    default: break;
    }
    FMods = mods;
    if (FMods & (Qt::ShiftModifier | Qt::ControlModifier))
        Host().ApplyModeCursor();
    return false;
}

bool TSelectionTool::KeyUp(const TToolKey& k)
{
    Qt::KeyboardModifiers mods = k.Modifiers;
    switch (k.Key) {
    case Qt::Key_Alt:
        mods &= ~Qt::AltModifier;
        if (FAlt) {
            FAlt = false;
            if (Host().Selecting())
                RequestRepaint();
        }
        break;
    case Qt::Key_Shift: mods &= ~Qt::ShiftModifier; break;
    case Qt::Key_Control: mods &= ~Qt::ControlModifier; break;
    default: break;
    }
    FMods = mods;
    Host().ApplyModeCursor();
    return false;
}

void TSelectionTool::Cancel()
{
    Host().CaptureMouse(false);
    Host().SetDragging(false);
    Host().SetSelecting(false);
    Host().RestartAnts();
    FCornerDrag = false;
    Host().ApplyModeCursor();
    Host().UpdateClient();
}

void TSelectionTool::NoteModifiers(Qt::KeyboardModifiers mods)
{
    // The plus and minus cursors follow Shift and Ctrl as the pointer events report them too.
    const Qt::KeyboardModifiers combining = Qt::ShiftModifier | Qt::ControlModifier;
    const bool cursorChanges = (mods & combining) != (FMods & combining);
    FMods = mods;
    if (cursorChanges)
        Host().ApplyModeCursor();
    const bool alt = mods & Qt::AltModifier;
    if (alt != FAlt) {
        FAlt = alt;
        if (Host().Selecting())
            RequestRepaint();
    }
}

// --- Combination mode and cursors ---------------------------------------------------------------

int TSelectionTool::CombineMode() const
{
    if (!Host().Region() || FCornerDrag)
        return RGN_COPY;
    if (FMods & Qt::ShiftModifier)
        return RGN_OR;
    if (FMods & Qt::ControlModifier)
        return RGN_DIFF;
    return RGN_COPY;
}

int TSelectionTool::CursorNumber(int combineMode) const
{
    return combineMode == RGN_OR ? crSelectAdd : combineMode == RGN_DIFF ? crSelectSubtract : crSelect;
}

std::optional<QCursor> TSelectionTool::Cursor() const
{
    if (FCornerDrag) {
        const bool falling = (FAnchor.x() < FCurrent.x() && FAnchor.y() < FCurrent.y())
            || (FCurrent.x() < FAnchor.x() && FCurrent.y() < FAnchor.y());
        return QCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    }
    if (FHover != TCornerHandle::None && !Host().Dragging() && !Host().Selecting()) {
        const bool falling = FHover == TCornerHandle::UpperLeft || FHover == TCornerHandle::LowerRight;
        return QCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    }
    return CanvasCursor(CursorNumber(CombineMode()), Host().PixelRatio());
}

void TSelectionTool::UpdateHoverCursor(QPoint p)
{
    TCornerHandle hover = TCornerHandle::None;
    if (IsSelectionMode(Mode()) && Host().HasImage() && Host().Region() && Host().RegionComplexity() == rcSimple
        && CombineMode() == RGN_COPY)
        hover = HitCornerHandle(Host().View(), Host().Region()->boundingRect(), p, MarkScale(Host().PixelRatio()));
    if (hover != FHover) {
        FHover = hover;
        Host().ApplyModeCursor();
    }
}

// --- Corner handles and the rectangle gesture ---------------------------------------------------

bool TSelectionTool::StartCornerDrag(const TToolMouse& m)
{
    if (!Host().HasImage() || Mode() < mmSelectRegion || Mode() > mmSelectPoint || !Host().Region()
        || Host().RegionComplexity() != rcSimple || CombineMode() != RGN_COPY)
        return false;
    const TRect box = Host().Region()->boundingRect();
    const QPoint ul(box.left, box.top), lr(box.right, box.bottom);
    const QPoint ur(box.right, box.top), ll(box.left, box.bottom);
    switch (HitCornerHandle(Host().View(), box, m.Pos, MarkScale(Host().PixelRatio()))) {
    case TCornerHandle::UpperLeft:
        FAnchor = lr;
        FCurrent = ul;
        break;
    case TCornerHandle::LowerRight:
        FAnchor = ul;
        FCurrent = lr;
        break;
    case TCornerHandle::UpperRight:
        FAnchor = ll;
        FCurrent = ur;
        break;
    case TCornerHandle::LowerLeft:
        FAnchor = ur;
        FCurrent = ll;
        break;
    case TCornerHandle::None: return false;
    }
    FCornerDrag = true;
    FHover = TCornerHandle::None;
    Host().StopAnts();
    Host().SetSelecting(true);
    Host().CaptureMouse(true);
    Host().ApplyModeCursor();
    RequestRepaint();
    return true;
}

void TSelectionTool::RectPress(const TToolMouse& m)
{
    if (!Host().HasImage())
        return;
    Host().StopAnts();
    const QPoint p = Host().ScreenToImage(m.Pos);
    FAnchor = FCurrent = Mode() == mmSelectEllipse ? p : Host().ClampToImageEdge(p);
    Host().SetSelecting(true);
    Host().CaptureMouse(true);
    RequestRepaint();
}

void TSelectionTool::RectMove(const TToolMouse& m)
{
    if (!Host().HasImage() || !Host().Dragging() || !Host().Selecting())
        return;
    QPoint p = Host().ScreenToImage(m.Pos);
    if (FCornerDrag || Mode() != mmSelectEllipse)
        p = Host().ClampToImageEdge(p);
    if (p != FCurrent) {
        FCurrent = p;
        RequestRepaint();
    }
}

void TSelectionTool::RectRelease(const TToolMouse& m)
{
    Host().SetDragging(false);
    Host().CaptureMouse(false);
    if (!Host().HasImage() || !Host().Selecting())
        return;
    QPoint p = Host().ScreenToImage(m.Pos);
    if (FCornerDrag || Mode() != mmSelectEllipse)
        p = Host().ClampToImageEdge(p);
    FCurrent = p;
    FinishSelection();
}

TRegionRef TSelectionTool::RectRegion() const
{
    const QPoint c = SquareCorner(FAnchor, FCurrent, FAlt);
    return TRegion::rect({FAnchor.x(), FAnchor.y(), c.x(), c.y()});
}

void TSelectionTool::PaintRectBand(QPainter& painter) const
{
    const QPoint a = Host().ImageToScreen(FAnchor);
    const QPoint c = SquareCorner(a, Host().ImageToScreen(FCurrent), FAlt);
    const TRectBand band = RectBandEnds(Host().View(), a, c, Host().ClientSize());
    const int x1 = band.A.x(), y1 = band.A.y(), x2 = band.B.x(), y2 = band.B.y();
    ScreenDashLine(painter, {x1, y1}, {x2, y1});
    ScreenDashLine(painter, {x2, y1}, {x2, y2});
    ScreenDashLine(painter, {x1, y1}, {x1, y2});
    ScreenDashLine(painter, {x1, y2}, {x2, y2});
}

void TSelectionTool::PaintOverlay(QPainter& painter)
{
    if (!Host().Selecting())
        return;
    if (FCornerDrag)
        PaintRectBand(painter);
    else
        PaintOwnOverlay(painter);
}

// --- Finishing ----------------------------------------------------------------------------------

namespace {

// The mode cursor comes back on every path out of a finished gesture (the magic wand shows the
// wait cursor while it fills).
class TModeCursorGuard {
public:
    explicit TModeCursorGuard(TToolHost& host) : FHost(host) { }
    ~TModeCursorGuard() { FHost.ApplyModeCursor(); }
    TModeCursorGuard(const TModeCursorGuard&) = delete;
    TModeCursorGuard& operator=(const TModeCursorGuard&) = delete;

private:
    TToolHost& FHost;
};

} // namespace

void TSelectionTool::FinishSelection()
{
    Host().SetSelecting(false);
    TModeCursorGuard cursor(Host());
    const int mode = CombineMode();
    TRegionRef created;
    try {
        created = FCornerDrag ? RectRegion() : BuildRegion();
    } catch (...) {
        FCornerDrag = false;
        Host().RestartAnts();
        Host().UpdateClient();
        throw;
    }
    FCornerDrag = false;
    Host().CommitSelection(std::move(created), mode);
    Host().UpdateClient();
}

} // namespace kalvo
