// Rendering of the canvas: margins, the composed frame, the outline and its animation.
#include "canvas/DeviceScale.h"
#include "canvas/DisplayColors.h"
#include "canvas/FrameComposer.h"
#include "canvas/PxImage.h"
#include "canvas/tools/CanvasTool.h"

#include <QPainter>

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

void TpxImage::paintEvent(QPaintEvent*)
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
    if (FFrameDirty)
        RenderBuffer();
    // Without memory for a frame buffer only the margins are drawn.
    if (FFrameDirty)
        return;
    painter.drawImage(QPoint(FView.ImageLeft, FView.ImageTop), FBuffer,
                      QRect(0, 0, FView.DrawWidth + 1, FView.DrawHeight + 1));
    // Everything drawn on top of the frame (rubber bands, moving outlines, floating pictures).
    FTool->PaintOverlay(painter);
    emit OnPaint();
}

void TpxImage::RenderBuffer()
{
    const int width = FView.DisplayWidth + 1, height = FView.DisplayHeight + 1;
    if (FBuffer.width() != width || FBuffer.height() != height) {
        // The old buffer goes first, so that a new size never holds two of them.
        FBuffer = QImage();
        FBuffer = CreateFrameBuffer(width, height);
        if (FBuffer.isNull())
            return;
    }
    ComposeFrame(Bitmap(), FrameSourceOf(FView), FBuffer, &FReduced);
    // Through the reduced copy's factor (without memory for that copy the frame shows pixels of
    // the picture itself, and the overlay then lies up to that factor off).
    if (FOverlay)
        ComposeFramePatch(Bitmap(), *FOverlay, FOverlayAt, FrameSourceOf(FView), FBuffer,
                          TReducedImages::FactorFor(FView.Zoom));
    PaintFrameEdge(FBuffer, FView.DrawWidth, FView.DrawHeight, FBGBrushStyle == bsClear ? clWhite : FColor);
    ++FComposeCount;
    FFrameDirty = false;
    DrawOutline();
}

void TpxImage::Invalidate()
{
    FFrameDirty = true;
    viewport()->update();
}

TOutlinePlacement TpxImage::OutlinePlacement() const
{
    return {
        FView.Zoomed(FView.ScrollX), FView.Zoomed(FView.ScrollY), FView.DisplayWidth, FView.DisplayHeight, FAntsPhase,
        MarkScale(PixelRatio())};
}

void TpxImage::DrawOutline()
{
    if (!Region() || !FShowRegion || FUpdateLock >= 1)
        return;
    if (FDragging && !(FSelecting && FMouseMode != mmMoveRegion))
        return;
    const TOutlinePlacement place = OutlinePlacement();
    DrawOutlineSegments(FBuffer, FZoomedOutline.Points, place, [this] { return FUpdateLock < 1; });
    if (IsSelectionMode(FMouseMode) && RegionComplexity() == rcSimple)
        DrawCornerHandles(FBuffer, FZoomedOutline.Box, place);
}

void TpxImage::AntsTimerTimer()
{
    if (FUpdateLock > 0)
        return;
    FAntsTimer.stop();
    FAntsPhase = (FAntsPhase + 1) & 7;
    // A frame waiting to be composed gets the new phase when it is painted.
    if (!FFrameDirty && HasImage() && FBusyCount == 0) {
        DrawOutline();
        const QRect area = OutlineFrameBounds(FZoomedOutline.Box, OutlinePlacement());
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
