// Rendering of the canvas: margins, the composed frame, the outline and its animation.
#include "canvas/DeviceScale.h"
#include "canvas/DisplayColors.h"
#include "canvas/FrameComposer.h"
#include "canvas/PxImage.h"
#include "canvas/tools/CanvasTool.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kalvo {

namespace {

Qt::BrushStyle QtBrushStyle(TBGBrushStyle style)
{
    switch (style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::BDiagPattern; // rising to the right
    case bsBDiagonal: return Qt::FDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross:
    case bsClear: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

} // namespace

void TpxImage::EraseMargins(QPainter& painter) const
{
    const int cw = ClientWidth(), ch = ClientHeight();
    QRegion margins(0, 0, cw, ch);
    if (HasImage())
        margins -= QRegion(FView.ImageLeft, FView.ImageTop, FView.DrawWidth + 1, FView.DrawHeight + 1);
    const QColor lines = FBGBrushStyle == bsClear ? QColor(0xBD, 0xBD, 0xBD) : ToQColor(FColor);
    const Qt::BrushStyle style = QtBrushStyle(FBGBrushStyle);
    for (const QRect& band : margins) {
        if (style == Qt::SolidPattern) {
            painter.fillRect(band, lines);
        } else {
            painter.fillRect(band, Qt::white);
            painter.fillRect(band, QBrush(lines, style));
        }
    }
}

void TpxImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    // Everything is drawn in client (device) pixels: the frame is copied 1:1 onto the screen's
    // pixels and one-pixel lines stay one device pixel wide at any device pixel ratio.
    const double ratio = PixelRatio();
    if (ratio != 1.0)
        painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    EraseMargins(painter);
    if (!HasImage() || FBusyCount >= 1)
        return;
    // The frame under the repainted area, composed strip by strip (frame coordinates).
    const QRect frame(0, 0, FView.DrawWidth + 1, FView.DrawHeight + 1);
    const QPoint at(FView.ImageLeft, FView.ImageTop);
    QRegion dirty;
    for (const QRect& r : event->region())
        dirty += QRect(
                     QPoint(int(r.left() * ratio), int(r.top() * ratio)),
                     QPoint(int(std::ceil((r.right() + 1) * ratio)) - 1, int(std::ceil((r.bottom() + 1) * ratio)) - 1))
                     .translated(-at)
            & frame;
    for (const QRect& area : dirty)
        PaintFrameArea(painter, area);
    // A paint that composed every visible pixel of the frame.
    const QRect visible = frame & QRect(-at, QSize(ClientWidth(), ClientHeight()));
    if (!visible.isEmpty() && QRegion(visible).subtracted(dirty).isEmpty())
        ++FComposeCount;
    // Everything drawn on top of the frame (rubber bands, moving outlines, floating pictures).
    FTool->PaintOverlay(painter);
    emit OnPaint();
}

void TpxImage::PaintFrameArea(QPainter& painter, const QRect& area)
{
    // A strip of the frame at a time: the canvas keeps no picture of the whole frame.
    constexpr int kStripRows = 64;
    if (FStrip.width() < area.width() || FStrip.isNull()) {
        FStrip = QImage();
        FStrip = QImage(area.width(), kStripRows, QImage::Format_RGB32);
        // Without memory for a strip only the margins are drawn.
        if (FStrip.isNull())
            return;
    }
    for (int top = area.top(); top <= area.bottom(); top += kStripRows) {
        const QRect part(area.left(), top, area.width(), std::min(kStripRows, area.bottom() + 1 - top));
        ComposeInto(FStrip, part.topLeft());
        painter.drawImage(part.topLeft() + QPoint(FView.ImageLeft, FView.ImageTop), FStrip,
                          QRect(QPoint(0, 0), part.size()));
    }
}

void TpxImage::ComposeInto(QImage& out, QPoint origin)
{
    ComposeFrameArea(Bitmap(), FrameSourceOf(FView), out, &FReduced, QRect(origin, out.size()), origin);
    // Through the reduced copy's factor (without memory for that copy the frame shows pixels of
    // the picture itself, and the overlay then lies up to that factor off).
    if (FOverlay)
        ComposeFramePatch(Bitmap(), *FOverlay, FOverlayAt, FrameSourceOf(FView), out,
                          TReducedImages::FactorFor(FView.Zoom), origin);
    PaintFrameEdge(out, FView.DrawWidth, FView.DrawHeight, FBGBrushStyle == bsClear ? clWhite : FColor, origin);
    if (!OutlineShown())
        return;
    // The dash colour follows frame coordinates: the phase carries the origin.
    TOutlinePlacement place = OutlinePlacement();
    place.OffsetX += origin.x();
    place.OffsetY += origin.y();
    place.Phase = (place.Phase + origin.x() + origin.y()) % 8;
    place.DisplayWidth = std::min(place.DisplayWidth - origin.x(), out.width() - 1);
    place.DisplayHeight = std::min(place.DisplayHeight - origin.y(), out.height() - 1);
    DrawOutlineSegments(out, FZoomedOutline.Points, place, [this] { return FUpdateLock < 1; });
    if (IsSelectionMode(FMouseMode) && RegionComplexity() == rcSimple)
        DrawCornerHandles(out, FZoomedOutline.Box, place);
}

QImage TpxImage::ComposedFrame()
{
    QImage frame = CreateFrameBuffer(FView.DisplayWidth + 1, FView.DisplayHeight + 1);
    if (HasImage() && !frame.isNull())
        ComposeInto(frame, {});
    return frame;
}

void TpxImage::Invalidate()
{
    viewport()->update();
}

TOutlinePlacement TpxImage::OutlinePlacement() const
{
    return {
        FView.Zoomed(FView.ScrollX), FView.Zoomed(FView.ScrollY), FView.DisplayWidth, FView.DisplayHeight, FAntsPhase,
        MarkScale(PixelRatio())};
}

bool TpxImage::OutlineShown() const
{
    if (!Region() || !FShowRegion || FUpdateLock >= 1)
        return false;
    return !FDragging || (FSelecting && FMouseMode != mmMoveRegion);
}

void TpxImage::AntsTimerTimer()
{
    if (FUpdateLock > 0)
        return;
    FAntsTimer.stop();
    FAntsPhase = (FAntsPhase + 1) & 7;
    if (HasImage() && FBusyCount == 0) {
        // The outline's area is composed again with the new phase.
        const QRect area = OutlineShown() ? OutlineFrameBounds(FZoomedOutline.Box, OutlinePlacement()) : QRect();
        if (!area.isEmpty())
            UpdateClient(area.translated(FView.ImageLeft, FView.ImageTop));
        // An outline the tool draws over the frame (floating pixels) marches too.
        const QRect overlay = FTool->MarchingOutlineArea();
        if (!overlay.isEmpty())
            UpdateClient(overlay);
    }
    if (Region() && FShowRegion)
        FAntsTimer.start();
}

void TpxImage::SetShowRegion(bool value)
{
    FShowRegion = value;
    if (value)
        FAntsTimer.start();
    else
        FAntsTimer.stop();
    emit OnShowRegionChange();
    Invalidate();
}

} // namespace kalvo
