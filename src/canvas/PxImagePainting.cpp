// The canvas's side of painting: partial refreshes while a brush paints in place, the painting
// notifications, and stroking the selection outline.
#include "canvas/FrameComposer.h"
#include "canvas/PxImage.h"
#include "canvas/drawing/StrokeRoundPen.h"
#include "image/PaintBitmap.h"
#include "imaging/raster/BlendThroughMask.h"
#include "imaging/raster/StrokeAndBlend.h"

namespace kalvo {

void TpxImage::BitmapPixelsChanged(const QRect& imageRect)
{
    const QRect changed = imageRect & QRect(0, 0, FBitmap.width(), FBitmap.height());
    if (changed.isEmpty())
        return;
    FReduced.Update(FBitmap, changed);
    // A frame waiting to be composed shows the change anyway.
    if (FFrameDirty || FBusyCount > 0) {
        viewport()->update();
        return;
    }
    const TFrameSource source = FrameSourceOf(FView);
    const QRect area = FrameAreaOf(source, changed, TReducedImages::FactorFor(source.Zoom));
    if (area.isEmpty())
        return;
    ComposeFrameArea(FBitmap, source, FBuffer, &FReduced, area);
    viewport()->update(area.translated(FView.ImageLeft, FView.ImageTop));
}

void TpxImage::PauseAnts(bool on)
{
    if (on)
        FAntsTimer.stop();
    else if (FShowRegion)
        FAntsTimer.start();
}

void TpxImage::RaisePaintNotice(TPaintNotice notice)
{
    switch (notice) {
    case TPaintNotice::PaintImage: emit OnPaintImage(); break;
    case TPaintNotice::Draw: emit OnDraw(); break;
    case TPaintNotice::BeginBrush: emit OnBeginBrush(); break;
    case TPaintNotice::EndBrush: emit OnEndBrush(); break;
    }
}

void TpxImage::StrokeOutline()
{
    if (!HasImage() || !FRegion)
        return;
    DrawAlongPoints(FOutline, true, FForegroundColor, std::nullopt, FToolSettings.PenAlphaChannel,
                    FToolSettings.PenAntiAlias, FToolSettings.BrushSize);
    Invalidate();
}

void TpxImage::DrawAlongPoints(const TPoints& points, bool pairs, TColor color, const TRegionRef& clip, int alpha,
                               bool antiAlias, int width)
{
    if (points.size() < 2 || !HasImage())
        return;
    TPaintBusyGuard busy(*this);
    emit OnDraw();
    if ((antiAlias || alpha != 0) && FBitmap.bitCount() > 8) {
        TBitmap stroked = FBitmap.toTrueColor();
        TpxPenBrush tip;
        BuildBrush(tip, width + 2, 80, TpxBrushStyle::pxsRound);
        StrokeAndBlend(stroked, points, pairs, alpha, color, tip);
        FreeBrush(tip);
        if (FSelectionMask && FBitmap.bitCount() == 24)
            BlendThroughMask(FBitmap, *FSelectionMask, stroked);
        else
            CopyBitmapClipped(FBitmap, stroked, 0, 0, clip);
    } else {
        StrokeRoundPen(FBitmap, points, pairs, color, width, clip);
    }
    ImageChanged();
}

} // namespace kalvo
