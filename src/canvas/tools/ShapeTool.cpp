#include "canvas/tools/ShapeTool.h"

#include "canvas/CanvasCursors.h"
#include "canvas/CoordinateMapping.h"
#include "canvas/DisplayColors.h"
#include "canvas/ShapePaths.h"
#include "canvas/tools/PenTool.h"
#include "imaging/raster/ApplyCoverage.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace kalvo {

QPoint ConstrainSquareEnd(QPoint s, QPoint p)
{
    const int dx = p.x() - s.x(), dy = p.y() - s.y();
    const int n = std::max(std::abs(dx), std::abs(dy));
    return {s.x() + (dx < 0 ? -n : n), s.y() + (dy < 0 ? -n : n)};
}

TShapeSpec TShapeTool::Spec() const
{
    const TToolSettings& s = Host().ToolSettings();
    return {s.ShapeKind, s.ShapeFill, FFrom, FTo, std::clamp(s.ShapeWidth, 1, 100), std::max(s.ShapeRadius, 0)};
}

QPoint TShapeTool::EndFor(const TToolMouse& mouse) const
{
    const QPoint p = ClampToImagePixel(Host().View(), Host().ScreenToImage(mouse.Pos));
    if (!(mouse.Modifiers & Qt::ShiftModifier))
        return p;
    const TShapeKind kind = Host().ToolSettings().ShapeKind;
    if (kind == TShapeKind::Line || kind == TShapeKind::Arrow)
        return ConstrainLineEnd(FFrom, p);
    return ConstrainSquareEnd(FFrom, p);
}

QRect TShapeTool::PreviewArea() const
{
    const QRect bounds = ShapeBounds(Spec());
    return ImageToClientTransform(Host().View()).mapRect(QRectF(bounds)).toAlignedRect().adjusted(-2, -2, 2, 2);
}

void TShapeTool::Press(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (mouse.Button != Qt::LeftButton || !host.HasImage() || FDragging)
        return;
    FFrom = FTo = ClampToImagePixel(host.View(), host.ScreenToImage(mouse.Pos));
    FDragging = true;
    host.PaintUpdateLock(true);
    host.CaptureMouse(true);
    host.SetDragging(true);
    host.SetSelecting(true);
    host.UpdateClient(PreviewArea());
}

void TShapeTool::Move(const TToolMouse& mouse)
{
    if (!FDragging)
        return;
    const QPoint p = EndFor(mouse);
    if (p == FTo)
        return;
    const QRect before = PreviewArea();
    FTo = p;
    Host().UpdateClient(before | PreviewArea());
}

void TShapeTool::Release(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (mouse.Button != Qt::LeftButton || !FDragging)
        return;
    FTo = EndFor(mouse);
    const TShapeSpec spec = Spec();
    const QRect preview = PreviewArea();
    EndDrag();
    const TToolSettings& settings = host.ToolSettings();
    const bool fullColour = host.Bitmap().bitCount() > 8;
    const TShapeCoverage coverage = settings.ShapeAntiAlias && fullColour ? AntiAliasedShapeCoverage(spec)
                                                                          : AliasedShapeCoverage(spec);
    const int alpha = fullColour ? settings.ShapeAlphaChannel : 0;
    const std::optional<TBitmap>& mask = host.SelectionMask();
    if (!host.RaisePaintNotice(TToolHost::TPaintNotice::Shape, coverage.Fill.Area() | coverage.Stroke.Area())) {
        host.UpdateClient(preview);
        return;
    }
    QRect changed = ApplyCoverage(host.PaintBitmap(), coverage.Fill, host.PaintColor(false), alpha,
                                  mask ? &*mask : nullptr, host.Region());
    changed |= ApplyCoverage(host.PaintBitmap(), coverage.Stroke, host.PaintColor(true), alpha, mask ? &*mask : nullptr,
                             host.Region());
    host.BitmapPixelsChanged(changed);
    host.UpdateClient(preview);
}

bool TShapeTool::KeyDown(const TToolKey& key)
{
    if (key.Key != Qt::Key_Escape || !FDragging)
        return false;
    Cancel();
    return true;
}

void TShapeTool::Cancel()
{
    if (!FDragging)
        return;
    const QRect preview = PreviewArea();
    EndDrag();
    Host().UpdateClient(preview);
}

void TShapeTool::EndDrag()
{
    TToolHost& host = Host();
    FDragging = false;
    host.SetSelecting(false);
    host.SetDragging(false);
    host.CaptureMouse(false);
    host.PaintUpdateLock(false);
}

std::optional<QCursor> TShapeTool::Cursor() const
{
    return CanvasCursor(crShape, Host().PixelRatio());
}

void TShapeTool::PaintOverlay(QPainter& painter)
{
    if (!FDragging)
        return;
    const TToolHost& host = Host();
    const TToolSettings& settings = host.ToolSettings();
    const TShapePaths paths = ShapePathsOf(Spec());
    painter.save();
    painter.setTransform(ImageToClientTransform(host.View()), true);
    painter.setRenderHint(QPainter::Antialiasing, settings.ShapeAntiAlias);
    if (host.Bitmap().bitCount() > 8)
        painter.setOpacity((100 - std::clamp(settings.ShapeAlphaChannel, 0, 100)) / 100.0);
    if (!paths.Fill.isEmpty())
        painter.fillPath(paths.Fill, ToQColor(DisplayColorFor(host.Bitmap(), host.PaintColor(false))));
    if (!paths.Stroke.isEmpty())
        painter.fillPath(paths.Stroke, ToQColor(DisplayColorFor(host.Bitmap(), host.PaintColor(true))));
    painter.restore();
}

} // namespace kalvo
