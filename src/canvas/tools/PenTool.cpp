#include "canvas/tools/PenTool.h"

#include "canvas/CoordinateMapping.h"
#include "image/PaintBitmap.h"
#include "image/PixelBox.h"
#include "image/PixelLine.h"
#include "imaging/raster/PenStroke.h"

#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <cstdlib>

namespace kalvo {

QPoint ConstrainLineEnd(QPoint s, QPoint p)
{
    const int dx = s.x() - p.x(), dy = s.y() - p.y();
    if (dx == 0)
        return p;
    const double k = double(dy) / double(dx);
    if (std::fabs(k) < 0.5)
        return {p.x(), s.y()};
    if (std::fabs(k) > 1.5)
        return {s.x(), p.y()};
    const int n = std::max(std::abs(dx), std::abs(dy));
    const auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    if (std::abs(dx) > std::abs(dy))
        return {p.x(), s.y() - sign(dy) * n};
    return {s.x() - sign(dx) * n, p.y()};
}

QRect TPenTool::PreviewArea(QPoint a, QPoint b) const
{
    const QPoint sa = ImageToScreenCentre(Host().View(), a), sb = ImageToScreenCentre(Host().View(), b);
    return QRect(sa, sb).normalized().adjusted(-1, -1, 2, 2);
}

void TPenTool::Press(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (mouse.Button != Qt::LeftButton || !host.HasImage() || FStroking)
        return;
    const QPoint p = ClampToImagePixel(host.View(), host.ScreenToImage(mouse.Pos));
    host.PaintUpdateLock(true);
    FStroking = true;
    FPoints.clear();
    host.CaptureMouse(true);
    host.SetDragging(true);
    host.SetSelecting(true);
    FPoints.push_back(p);
    if (IsLine())
        FPoints.push_back(p);
}

void TPenTool::Move(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (!FStroking || !host.Dragging() || FPoints.empty())
        return;
    QPoint p = ClampToImagePixel(host.View(), host.ScreenToImage(mouse.Pos));
    if (IsLine()) {
        if (mouse.Modifiers & Qt::ShiftModifier)
            p = ConstrainLineEnd(FPoints[0], p);
        if (p == FPoints[1])
            return;
        const QRect before = PreviewArea(FPoints[0], FPoints[1]);
        FPoints[1] = p;
        host.UpdateClient(before | PreviewArea(FPoints[0], p));
        return;
    }
    if (p == FPoints.back())
        return;
    FPoints.push_back(p);
    host.UpdateClient(PreviewArea(FPoints[FPoints.size() - 2], p));
}

void TPenTool::Release(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (mouse.Button != Qt::LeftButton || !FStroking)
        return;
    host.PaintBusy(true);
    const TPoints points = FPoints;
    EndStroke();
    try {
        const TToolSettings& settings = host.ToolSettings();
        const TColor color = host.PaintColor(true);
        const std::optional<TBitmap>& mask = host.SelectionMask();
        if ((settings.PenAntiAlias || settings.PenAlphaChannel != 0) && host.Bitmap().bitCount() > 8) {
            // Only the box the stroke can reach is stroked, and only what changed in it goes back.
            const std::optional<TPenPatch> patch = DrawPenStrokePatch(host.Bitmap(), mask ? &*mask : nullptr, points,
                                                                      settings.PenAlphaChannel, settings.PenAntiAlias,
                                                                      host.Region(), color);
            if (patch) {
                const QRect changed = patch->Box.isEmpty()
                    ? QRect()
                    : PatchChangedArea(host.Bitmap(), patch->Pixels, patch->Box.topLeft());
                if (host.RaisePaintNotice(TToolHost::TPaintNotice::Draw, changed) && !changed.isEmpty()) {
                    CopyBitmapClipped(host.PaintBitmap(), patch->Pixels, patch->Box.left(), patch->Box.top(),
                                      std::nullopt);
                    host.BitmapPixelsChanged(changed);
                }
            }
        } else {
            // One-pixel lines between the points.
            QRect area(points.front(), points.front());
            for (const QPoint& q : points)
                area |= QRect(q, q);
            if (host.RaisePaintNotice(TToolHost::TPaintNotice::Draw, area.adjusted(-1, -1, 1, 1))) {
                const QRect changed = DrawPixelLines(host.PaintBitmap(), points, false, color, host.Region());
                host.BitmapPixelsChanged(changed);
            }
        }
    } catch (...) {
        host.PaintBusy(false);
        host.InvalidateFrame();
        throw;
    }
    host.PaintBusy(false);
    host.InvalidateFrame();
}

bool TPenTool::KeyDown(const TToolKey& key)
{
    if (key.Key != Qt::Key_Escape || !FStroking)
        return false;
    Cancel();
    return true;
}

void TPenTool::Cancel()
{
    if (!FStroking)
        return;
    EndStroke();
    // The preview disappears with the next paint.
    Host().UpdateClient();
}

void TPenTool::EndStroke()
{
    TToolHost& host = Host();
    FStroking = false;
    FPoints.clear();
    host.SetSelecting(false);
    host.SetDragging(false);
    host.CaptureMouse(false);
    host.PaintUpdateLock(false);
}

void TPenTool::PaintOverlay(QPainter& painter)
{
    if (!FStroking || FPoints.size() < 2)
        return;
    // Each segment inverts the screen pixels from one pixel centre up to the next, without the
    // final one: where the stroke crosses itself the pixels are inverted twice and show through.
    QPolygon pixels;
    const TViewGeometry& view = Host().View();
    QPoint from = ImageToScreenCentre(view, FPoints[0]);
    for (std::size_t i = 1; i < FPoints.size(); ++i) {
        const QPoint to = ImageToScreenCentre(view, FPoints[i]);
        WalkPixelLine(from.x(), from.y(), to.x(), to.y(), [&](int x, int y) { pixels << QPoint(x, y); });
        from = to;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPoints(pixels);
    painter.restore();
}

} // namespace kalvo
