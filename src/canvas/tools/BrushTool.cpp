#include "canvas/tools/BrushTool.h"

#include "image/RegionConvert.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>

namespace kalvo {

int BrushSpacing(int size, int stepPercent)
{
    return std::max(1, Round(double(size) * double(stepPercent) / 100.0));
}

QRect TBrushTool::DabArea(QPoint a, QPoint b) const
{
    // A dab at (x, y) covers x - size div 2 .. x - size div 2 + size - 1; walked positions are
    // rounded, so they stay within the segment's box.
    // (QRect(a, b).normalized() would leave out a's row and column when b lies above or left of
    // a.)
    const int half = FTip.Size / 2;
    const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                    QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    return box.adjusted(-half, -half, FTip.Size - half - 1, FTip.Size - half - 1);
}

const TBitmap* TBrushTool::StrokeMask() const
{
    const std::optional<TBitmap>& mask = Host().SelectionMask();
    if (mask)
        return &*mask;
    return FRegionMask ? &*FRegionMask : nullptr;
}

bool TBrushTool::SaveDabArea(QPoint a, QPoint b)
{
    const QRect area = DabArea(a, b);
    return Host().StrokeBackup().Save(Host().Bitmap(), {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
}

void TBrushTool::Press(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (mouse.Button != Qt::LeftButton || !host.HasImage() || FStroking)
        return;
    // The tip and the selection's mask come first: without memory for them (std::bad_alloc) the
    // stroke does not start and nothing has changed.
    const TToolSettings& settings = host.ToolSettings();
    // Palette images are painted with hard dabs of the nearest palette index.
    const int hardness = host.Bitmap().bitCount() <= 8 ? 100 : settings.BrushHardness;
    TpxPenBrush tip;
    BuildBrush(tip, settings.BrushSize, hardness, settings.BrushStyle);
    std::optional<TBitmap> regionMask;
    if (!host.SelectionMask() && host.Region())
        regionMask = RegionToMask(host.Region(), host.Bitmap().width(), host.Bitmap().height());
    FTip = std::move(tip);
    FRegionMask = std::move(regionMask);
    host.StrokeBackup().Begin(host.Bitmap());
    host.RaisePaintNotice(TToolHost::TPaintNotice::BeginBrush, std::nullopt);
    host.PauseAnts(true);
    host.CaptureMouse(true);
    host.SetDragging(true);
    host.SetSelecting(true);
    FStroking = true;
    FAnchor = host.ScreenToImage(mouse.Pos);
    FStep = BrushSpacing(settings.BrushSize, settings.BrushStep);
    FTrail = {};
    if (!SaveDabArea(FAnchor, FAnchor))
        return;
    StampBrush(host.PaintBitmap(), StrokeMask(), FAnchor.x(), FAnchor.y(), FTip, host.PaintColor(true), FTrail);
    host.BitmapPixelsChanged(DabArea(FAnchor, FAnchor));
}

void TBrushTool::Move(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (!FStroking || !host.Dragging())
        return;
    const QPoint p = host.ScreenToImage(mouse.Pos);
    if (!SaveDabArea(FAnchor, p))
        return;
    StrokeBrushLine(host.PaintBitmap(), StrokeMask(), FAnchor.x(), FAnchor.y(), p.x(), p.y(), FStep, FTip,
                    host.PaintColor(true), FTrail);
    host.BitmapPixelsChanged(DabArea(FAnchor, p));
    FAnchor = p;
}

void TBrushTool::Release(const TToolMouse& mouse)
{
    if (mouse.Button == Qt::LeftButton)
        EndStroke();
}

void TBrushTool::Cancel()
{
    // The dabs are already in the image: a lost capture ends the stroke as a release does.
    EndStroke();
}

void TBrushTool::EndStroke()
{
    if (!FStroking)
        return;
    TToolHost& host = Host();
    FStroking = false;
    host.SetSelecting(false);
    host.CaptureMouse(false);
    host.SetDragging(false);
    FreeBrush(FTip);
    FRegionMask.reset();
    host.PauseAnts(false);
    host.RaisePaintNotice(TToolHost::TPaintNotice::EndBrush, std::nullopt);
    // The dabs are on the screen already; the selection's outline, left out of the frames composed
    // during the stroke, comes back with a new frame.
    if (host.Region())
        host.InvalidateFrame();
}

} // namespace kalvo
