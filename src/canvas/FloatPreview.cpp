#include "canvas/FloatPreview.h"

#include "canvas/DashedLine.h"
#include "canvas/NearestStretch.h"
#include "canvas/QtRegion.h"

#include <algorithm>

namespace kalvo {

namespace {

QRect displayedRect(const TViewGeometry& view)
{
    return QRect(0, 0, view.DrawWidth, view.DrawHeight);
}

TRect displayedArea(const TViewGeometry& view)
{
    return TRect{0, 0, view.DrawWidth, view.DrawHeight};
}

QRect toQRect(const TRect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

QColor toQColor(TColor c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

void TFloatPreview::DrawStretched(QPainter& painter, const TViewGeometry& view, const TBitmap& source,
                                  const TRect& from, QPoint at, const TRegionRef& clip)
{
    TRect src = from;
    src.left = std::max(src.left, 0);
    src.top = std::max(src.top, 0);
    src.right = std::min(src.right, source.width());
    src.bottom = std::min(src.bottom, source.height());
    if (src.isEmpty() || view.Zoom <= 0)
        return;
    const long long zoom = view.Zoom;
    const QRect dest(at.x(), at.y(), int(src.width() * zoom / 100), int(src.height() * zoom / 100));
    QRect visible = dest.intersected(displayedRect(view));
    if (clip)
        visible = visible.intersected(toQRect(clip->boundingRect()));
    if (visible.isEmpty())
        return;
    if (FScratch.width() < visible.width() || FScratch.height() < visible.height())
        FScratch = QImage(std::max(FScratch.width(), visible.width()), std::max(FScratch.height(), visible.height()),
                          QImage::Format_RGB32);
    // Without memory for the scratch image the floating picture is not drawn this time.
    if (FScratch.isNull())
        return;
    std::vector<int> columns(std::size_t(visible.width()));
    for (int x = 0; x < visible.width(); ++x)
        columns[std::size_t(x)] = src.left
            + int(std::min<long long>((visible.left() - dest.left() + x) * 100LL / zoom, src.width() - 1));
    const TRowStretcher stretcher(TStretchSource::Of(source), std::move(columns));
    int lastRow = -1;
    for (int y = 0; y < visible.height(); ++y) {
        const int row = src.top
            + int(std::min<long long>((visible.top() - dest.top() + y) * 100LL / zoom, src.height() - 1));
        auto* out = reinterpret_cast<std::uint32_t*>(FScratch.scanLine(y));
        if (row == lastRow)
            std::copy_n(reinterpret_cast<const std::uint32_t*>(FScratch.constScanLine(y - 1)), visible.width(), out);
        else
            stretcher.Stretch(row, out);
        lastRow = row;
    }
    painter.save();
    const QPoint origin(view.ImageLeft, view.ImageTop);
    if (clip && clip->rectCount() > 1)
        painter.setClipRegion(ToQRegion(*clip).translated(origin).intersected(visible.translated(origin)));
    else
        painter.setClipRect(visible.translated(origin));
    painter.drawImage(visible.topLeft() + origin, FScratch, QRect(0, 0, visible.width(), visible.height()));
    painter.restore();
}

void FillFrameRegion(QPainter& painter, const TViewGeometry& view, const TRegion& region, TColor color)
{
    const QPoint origin(view.ImageLeft, view.ImageTop);
    const QColor c = toQColor(color);
    const TRegion shown = region.intersected(displayedArea(view));
    for (const pixman_box32_t& b : shown.boxes())
        painter.fillRect(QRect(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1).translated(origin), c);
}

void DrawShiftedOutline(QPainter& painter, const TPoints& zoomed, QPoint shift, const QRect& clip, int phase)
{
    for (std::size_t i = 0; i + 1 < zoomed.size(); i += 2) {
        const QPoint a = zoomed[i] + shift, b = zoomed[i + 1] + shift;
        if ((a.x() < clip.left() && b.x() < clip.left()) || (a.y() < clip.top() && b.y() < clip.top())
            || (a.x() > clip.right() && b.x() > clip.right()) || (a.y() > clip.bottom() && b.y() > clip.bottom()))
            continue;
        ClippedScreenDashLine(painter, a, b, clip, phase);
    }
}

QRect ShiftedOutlineBounds(const TRect& box, QPoint shift, const QRect& clip)
{
    // The outline's points run from the box's left and top to its right and bottom inclusive.
    return QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)).translated(shift).intersected(clip);
}

TRegion InnerFrame(const TRegion& region)
{
    // The pixels whose four neighbours all lie inside are the inner part.
    TRegion inner = region;
    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        TRegion shifted = region;
        shifted.offset(step.x(), step.y());
        TRegion::combine(inner, inner, shifted, RGN_AND);
    }
    TRegion frame;
    TRegion::combine(frame, region, inner, RGN_DIFF);
    return frame;
}

void DrawHatchedPlaceholder(QPainter& painter, const TViewGeometry& view, const TRegion& region, const TRegion& frame)
{
    const QPoint origin(view.ImageLeft, view.ImageTop);
    painter.save();
    const TRegion visible = region.intersected(displayedArea(view));
    painter.setClipRegion(ToQRegion(visible).translated(origin));
    painter.fillRect(toQRect(visible.boundingRect()).translated(origin),
                     QBrush(QColor(0x44, 0x44, 0x44), Qt::DiagCrossPattern));
    painter.restore();
    const QColor edge(0xDD, 0xDD, 0xDD);
    const TRegion shownFrame = frame.intersected(displayedArea(view));
    for (const pixman_box32_t& b : shownFrame.boxes())
        painter.fillRect(QRect(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1).translated(origin), edge);
}

} // namespace kalvo
