// Layout, zoom and scrolling of the canvas.
#include "canvas/CoordinateMapping.h"
#include "canvas/DeviceScale.h"
#include "canvas/FrameComposer.h"
#include "canvas/PxImage.h"
#include "canvas/ZoomSteps.h"
#include "canvas/tools/CanvasTool.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace kalvo {

double TpxImage::PixelRatio() const
{
    return viewport()->devicePixelRatioF();
}
int TpxImage::ClientWidth() const
{
    return DeviceLength(viewport()->width(), PixelRatio());
}
int TpxImage::ClientHeight() const
{
    return DeviceLength(viewport()->height(), PixelRatio());
}
QPoint TpxImage::ClientPoint(QPointF viewportPos) const
{
    return DevicePoint(viewportPos, PixelRatio());
}
QPointF TpxImage::ViewportPoint(QPoint clientPos) const
{
    return LogicalPoint(clientPos, PixelRatio());
}

void TpxImage::RecalcLayout()
{
    TUpdateLockGuard lock(*this);
    FView.ImageWidth = Bitmap().width();
    FView.ImageHeight = Bitmap().height();
    FView.ClientWidth = ClientWidth();
    FView.ClientHeight = ClientHeight();
    FView.RecalcLayout();
    // The frame buffer follows at the next paint (UpdateView invalidates the frame): a layout
    // that settles over several rounds, as scroll bars come and go, allocates it once.
    UpdateView();
}

void TpxImage::UpdateView()
{
    FView.UpdateView();
    UpdateScrollBars();
    Invalidate();
    // A scroll bar that appeared or vanished changed the client area: lay out again.
    if (FResizePending && FBarUpdateDepth == 0 && FSizeChangeDepth == 0)
        SizeChanged();
}

namespace {

void ApplyBar(QScrollBar* bar, const TScrollBarInfo& info, int lineStep)
{
    if (!info.visible()) {
        bar->setRange(0, 0);
        return;
    }
    bar->setRange(info.min, info.lastPosition());
    bar->setPageStep(info.page);
    bar->setSingleStep(lineStep);
    bar->setValue(info.position);
}

} // namespace

void TpxImage::UpdateScrollBars()
{
    ++FBarUpdateDepth;
    const Qt::ScrollBarPolicy policy = FView.ShowScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    ApplyBar(verticalScrollBar(), FView.VerticalBar(), FView.LineStepY());
    ApplyBar(horizontalScrollBar(), FView.HorizontalBar(), FView.LineStepX());
    --FBarUpdateDepth;
    if (!FView.ShowScrollBars)
        Invalidate();
}

void TpxImage::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (ClientWidth() == FView.ClientWidth && ClientHeight() == FView.ClientHeight && !FResizePending)
        return;
    if (FBarUpdateDepth > 0 || FSizeChangeDepth > 0) {
        FResizePending = true;
        return;
    }
    SizeChanged();
}

bool TpxImage::event(QEvent* event)
{
    // While a tool takes typing, its editing keys (Ctrl+V too) go to it rather than to the
    // window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride && FTool->TakesTyping()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        const bool editing = (ctrl
                              && (key->key() == Qt::Key_V || key->key() == Qt::Key_Return
                                  || key->key() == Qt::Key_Enter))
            || (!ctrl && !(key->modifiers() & Qt::AltModifier));
        if (editing) {
            event->accept();
            return true;
        }
    }
    const bool result = QAbstractScrollArea::event(event);
    // On another screen the device pixel ratio may differ: the client area in device pixels and
    // the cursors change with it.
    if (event->type() == QEvent::ScreenChangeInternal) {
        if (ClientWidth() != FView.ClientWidth || ClientHeight() != FView.ClientHeight)
            SizeChanged();
        ApplyModeCursor();
    }
    return result;
}

void TpxImage::SizeChanged()
{
    ++FSizeChangeDepth;
    // Showing or hiding a scroll bar changes the client area again; a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        FResizePending = false;
        TUpdateLockGuard lock(*this);
        if (FAutoStretch) {
            SetZoom(0);
            RecalcLayout();
        } else {
            RecalcLayout();
            ClampScroll();
            UpdateView();
            ScaleOutline();
        }
        if (!FResizePending)
            break;
    }
    --FSizeChangeDepth;
}

void TpxImage::scrollContentsBy(int, int)
{
    if (FBarUpdateDepth > 0)
        return;
    TUpdateLockGuard lock(*this);
    // Bar units are image pixels; a hidden bar leaves its axis alone.
    if (FView.HorizontalBar().visible())
        FView.ScrollX = horizontalScrollBar()->value();
    if (FView.VerticalBar().visible())
        FView.ScrollY = verticalScrollBar()->value();
    ClampScroll();
    UpdateView();
}

void TpxImage::SetScrollPosition(int x, int y)
{
    TUpdateLockGuard lock(*this);
    FView.ScrollX = x;
    FView.ScrollY = y;
    ClampScroll();
    UpdateView();
}

// --- Zoom ---------------------------------------------------------------------------------------

void TpxImage::SetZoom(int value)
{
    int z = value;
    if (value == 0 || FAutoStretch) {
        if (!HasImage())
            return;
        // Measured as if the scroll bars were off, so that the client area excludes them.
        const QSize client = maximumViewportSize();
        const double ratio = PixelRatio();
        z = FitToWindowZoom(DeviceLength(client.width(), ratio), DeviceLength(client.height(), ratio), Bitmap().width(),
                            Bitmap().height());
    } else if (value < kMinZoom || value > kMaxZoom) {
        return;
    }
    if (z == FView.Zoom)
        return;
    {
        TUpdateLockGuard lock(*this);
        FView.Zoom = z;
        RecalcLayout();
        ClampScroll();
        UpdateView();
        ScaleOutline();
    }
    emit OnZoomChanged(z);
}

void TpxImage::SetAutoStretch(bool value)
{
    if (value == FAutoStretch)
        return;
    FAutoStretch = value;
    SetShowScrollBars(!value);
    if (value)
        SetZoom(0);
}

void TpxImage::ZoomStep(int x, int y, bool zoomIn)
{
    const int z = FView.Zoom;
    const int next = zoomIn ? ZoomStepIn(z) : ZoomStepOut(z);
    if (next == z)
        return;
    const QPoint p0 = ClampToImageEdge(ScreenToImage(QPoint(x, y)));
    SetZoom(next);
    const QPoint p1 = ClampToImageEdge(ScreenToImage(QPoint(x, y)));
    TUpdateLockGuard lock(*this);
    FView.ScrollX += p0.x() - p1.x();
    FView.ScrollY += p0.y() - p1.y();
    UpdateView();
}

void TpxImage::ZoomIn()
{
    ZoomStep(ClientWidth() / 2, ClientHeight() / 2, true);
}

void TpxImage::ZoomOut()
{
    ZoomStep(ClientWidth() / 2, ClientHeight() / 2, false);
}

// --- View properties ----------------------------------------------------------------------------

void TpxImage::SetCenter(bool value)
{
    FView.Center = value;
    RecalcLayout();
}

void TpxImage::SetShowScrollBars(bool value)
{
    FView.ShowScrollBars = value;
    RecalcLayout();
}

void TpxImage::SetBGBrushStyle(TBGBrushStyle value)
{
    FBGBrushStyle = value;
    Invalidate();
}

void TpxImage::SetBorderStyle(TBorderStyle value)
{
    FBorderStyle = value;
    setFrameStyle(value == TBorderStyle::Single ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

void TpxImage::SetColor(TColor value)
{
    FColor = value;
    Invalidate();
}

// --- Keys: paging and the ends ------------------------------------------------------------------

void TpxImage::keyPressEvent(QKeyEvent* event)
{
    const TToolKey toolKey{event->key(), event->modifiers(), event->isAutoRepeat(), event->text()};
    // A typing tool has every key before the paging keys.
    if (FTool->TakesTyping() && FTool->KeyDown(toolKey)) {
        event->accept();
        return;
    }
    bool handled = true;
    {
        TUpdateLockGuard lock(*this);
        switch (event->key()) {
        case Qt::Key_PageUp:
            FView.ScrollY -= FView.VisibleHeight;
            ClampScroll();
            UpdateView();
            break;
        case Qt::Key_PageDown:
            FView.ScrollY += FView.VisibleHeight;
            ClampScroll();
            UpdateView();
            break;
        case Qt::Key_Home:
            FView.ScrollX = FView.ScrollY = 0;
            UpdateView();
            break;
        case Qt::Key_End:
            FView.ScrollX = FView.ImageWidth - FView.VisibleWidth + 2;
            FView.ScrollY = FView.ImageHeight - FView.VisibleHeight + 2;
            UpdateView();
            break;
        default: handled = false;
        }
    }
    // The tool sees every key first (Alt, Shift and Ctrl for the shapes and cursors, Escape).
    if (FTool->KeyDown(toolKey))
        handled = true;
    event->setAccepted(handled);
}

void TpxImage::inputMethodEvent(QInputMethodEvent* event)
{
    if (!FTool->TakesTyping()) {
        QAbstractScrollArea::inputMethodEvent(event);
        return;
    }
    FTool->InputMethod(event->commitString(), event->preeditString());
    event->accept();
}

QVariant TpxImage::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return FTool->TakesTyping();
    case Qt::ImCursorRectangle:
        return QRectF(LogicalRect(FTool->InputCaretArea(), PixelRatio()).translated(viewport()->pos()));
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void TpxImage::EndToolEdit(bool commit)
{
    FTool->EndEdit(commit);
}

void TpxImage::keyReleaseEvent(QKeyEvent* event)
{
    event->setAccepted(FTool->KeyUp({event->key(), event->modifiers(), event->isAutoRepeat()}));
}

} // namespace kalvo
