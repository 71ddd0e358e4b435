// Rendering of the canvas: margins, the composed frame, the outline and its animation.
#include "canvas/DeviceScale.h"
#include "canvas/DisplayColors.h"
#include "canvas/FrameComposer.h"
#include "canvas/PxImage.h"
#include "canvas/tools/CanvasTool.h"

#include <QList>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

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
    // The outline's segments by the bands of frame rows they reach: each strip draws only its own.
    FOutlineBands.clear();
    if (OutlineShown()) {
        FOutlineBands.resize(std::size_t(frame.height() / kOutlineBand + 1));
        const QPoint offset(FView.Zoomed(FView.ScrollX), FView.Zoomed(FView.ScrollY));
        const TPoints& points = FZoomedOutline.Points;
        for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
            const int y0 = std::min(points[i].y(), points[i + 1].y()) - offset.y();
            const int y1 = std::max(points[i].y(), points[i + 1].y()) - offset.y();
            for (int band = std::max(y0, 0) / kOutlineBand;
                 y1 >= 0 && band <= std::min(y1, frame.height() - 1) / kOutlineBand; ++band)
                FOutlineBands[std::size_t(band)].push_back(std::uint32_t(i));
        }
    }
    for (const QRect& area : dirty)
        PaintFrameArea(painter, area);
    FOutlineBands.clear();
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
    const TPoints& points = FZoomedOutline.Points;
    if (FOutlineBands.empty()) {
        DrawOutlineSegments(out, points, place, [this] { return FUpdateLock < 1; });
    } else {
        const int last = std::min(int(FOutlineBands.size()) - 1, (origin.y() + out.height() - 1) / kOutlineBand);
        for (int band = std::max(origin.y(), 0) / kOutlineBand; band <= last; ++band)
            for (const std::uint32_t i : FOutlineBands[std::size_t(band)])
                DrawOutlineSegment(out, points[i], points[i + 1], place);
    }
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

QRegion TpxImage::OutlineRepaintArea() const
{
    // Band by band of frame rows, the segments' boxes merged along the band (gaps up to kGap
    // closed): a large selection's ants repaint its edges, not everything inside it.
    constexpr int kBand = 64, kGap = 32;
    const TOutlinePlacement place = OutlinePlacement();
    const QRect frame(0, 0, place.DisplayWidth + 1, place.DisplayHeight + 1);
    const QPoint offset(place.OffsetX, place.OffsetY);
    // Per band, the columns the segments' boxes cover.
    const std::size_t width = std::size_t(frame.width());
    std::vector<std::uint8_t> covered(std::size_t((frame.height() + kBand - 1) / kBand) * width);
    const TPoints& points = FZoomedOutline.Points;
    for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
        const QPoint a = points[i] - offset, b = points[i + 1] - offset;
        const QRect box = QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())))
            & frame;
        for (int band = box.top() / kBand; !box.isEmpty() && band <= box.bottom() / kBand; ++band)
            std::fill_n(covered.begin() + std::ptrdiff_t(std::size_t(band) * width + std::size_t(box.left())),
                        box.width(), std::uint8_t(1));
    }
    QList<QRect> rects;
    for (int top = 0; top < frame.height(); top += kBand) {
        const std::uint8_t* row = covered.data() + std::size_t(top / kBand) * width;
        const int height = std::min(kBand, frame.height() - top);
        for (int x = 0; x < int(width);) {
            if (!row[x]) {
                ++x;
                continue;
            }
            // A span, and the next ones within kGap columns.
            int right = x, gap = 0;
            for (int next = x + 1; next < int(width) && gap <= kGap; ++next) {
                if (row[next]) {
                    right = next;
                    gap = 0;
                } else {
                    ++gap;
                }
            }
            rects.append(QRect(x, top, right - x + 1, height));
            x = right + 1;
        }
    }
    QRegion area;
    area.setRects(rects.constData(), int(rects.size()));
    if (IsSelectionMode(FMouseMode) && RegionComplexity() == rcSimple) {
        const int reach = CornerHandleReach(place.HandleScale);
        const TRect& box = FZoomedOutline.Box;
        for (const QPoint corner : {QPoint(box.left, box.top), QPoint(box.right, box.top), QPoint(box.left, box.bottom),
                                    QPoint(box.right, box.bottom)})
            area += QRect(corner - offset - QPoint(reach, reach), corner - offset + QPoint(reach + 1, reach + 1))
                & frame;
    }
    return area;
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
        // Only the pixels near the outline are composed again with the new phase.
        if (OutlineShown()) {
            const double ratio = PixelRatio();
            QRegion area;
            for (const QRect& r : OutlineRepaintArea())
                area += LogicalRect(r.translated(FView.ImageLeft, FView.ImageTop), ratio);
            viewport()->update(area);
        }
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
