// The canvas's side of painting: partial refreshes while a brush paints in place, the painting
// notifications, and stroking the selection outline.
#include "canvas/FrameComposer.h"
#include "canvas/PxImage.h"
#include "canvas/drawing/StrokeRoundPen.h"
#include "image/PaintBitmap.h"
#include "image/PixelBox.h"
#include "image/RectOps.h"
#include "imaging/raster/BlendThroughMask.h"
#include "imaging/raster/StrokeAndBlend.h"

#include <utility>

namespace kalvo {

void TpxImage::BitmapPixelsChanged(const QRect& imageRect)
{
    const QRect changed = imageRect & QRect(0, 0, Bitmap().width(), Bitmap().height());
    if (changed.isEmpty())
        return;
    FReduced.Update(Bitmap(), changed);
    // While busy nothing is painted: the whole view is repainted once it is (an undo step's box
    // would otherwise stay unseen).
    if (FBusyCount > 0) {
        Invalidate();
        return;
    }
    const TFrameSource source = FrameSourceOf(FView);
    const QRect area = FrameAreaOf(source, changed, TReducedImages::FactorFor(source.Zoom));
    if (!area.isEmpty())
        UpdateClient(area.translated(FView.ImageLeft, FView.ImageTop));
}

void TpxImage::PauseAnts(bool on)
{
    if (on)
        FAntsTimer.stop();
    else if (FShowRegion)
        FAntsTimer.start();
}

bool TpxImage::RaisePaintNotice(TPaintNotice notice, const std::optional<QRect>& area, std::span<const TRect> pieces)
{
    TNoticeArea scope(*this, area);
    FPaintNoticePieces = pieces;
    FPaintNoticeRefused = false;
    switch (notice) {
    case TPaintNotice::PaintImage: emit OnPaintImage(); break;
    case TPaintNotice::Draw: emit OnDraw(); break;
    case TPaintNotice::BeginBrush: emit OnBeginBrush(); break;
    case TPaintNotice::EndBrush: emit OnEndBrush(); break;
    case TPaintNotice::Shape: emit OnDrawShape(); break;
    case TPaintNotice::Text: emit OnDrawText(); break;
    }
    return !std::exchange(FPaintNoticeRefused, false);
}

void TpxImage::StrokeOutline()
{
    if (!HasImage() || !Region())
        return;
    DrawAlongPoints(Outline(), true, FForegroundColor, std::nullopt, FToolSettings.PenAlphaChannel,
                    FToolSettings.PenAntiAlias, FToolSettings.BrushSize);
    Invalidate();
}

void TpxImage::DrawAlongPoints(const TPoints& points, bool pairs, TColor color, const TRegionRef& clip, int alpha,
                               bool antiAlias, int width)
{
    if (points.size() < 2 || !HasImage())
        return;
    TPaintBusyGuard busy(*this);
    // Solid pens and soft tips reach at most the width beyond the points; a 16-bit picture goes
    // through 24 bits as a whole.
    const QRect picture(0, 0, Bitmap().width(), Bitmap().height());
    std::optional<QRect> area;
    if (BitCount() != 16) {
        QRect box(points.front(), points.front());
        for (const QPoint& p : points)
            box |= QRect(p, p);
        area = box.adjusted(-width - 3, -width - 3, width + 3, width + 3);
    }
    {
        TNoticeArea scope(*this, area);
        FPaintNoticeRefused = false;
        emit OnDraw();
        if (std::exchange(FPaintNoticeRefused, false))
            return;
    }
    const QRect reach = area ? IntersectRects(*area, picture) : picture;
    if (reach.isEmpty())
        return;
    if ((antiAlias || alpha != 0) && BitCount() > 8) {
        // A 24-bit picture is stroked in a copy of the part the stroke can reach.
        const bool part = BitCount() == 24;
        TBitmap stroked = part ? CopyBox(Bitmap(), {reach.left(), reach.top(), reach.right() + 1, reach.bottom() + 1})
                               : Bitmap().toTrueColor();
        const QPoint at = part ? reach.topLeft() : QPoint(0, 0);
        TpxPenBrush tip;
        BuildBrush(tip, width + 2, 80, TpxBrushStyle::pxsRound);
        StrokeAndBlend(stroked, points, pairs, alpha, color, tip, at);
        FreeBrush(tip);
        if (SelectionMask() && part)
            BlendThroughMask(FDocument.Pixels(), *SelectionMask(), stroked, at);
        else
            CopyBitmapClipped(FDocument.Pixels(), stroked, at.x(), at.y(), clip);
    } else {
        StrokeRoundPen(FDocument.Pixels(), points, pairs, color, width, clip);
    }
    BitmapPixelsChanged(reach);
}

} // namespace kalvo
