#include "canvas/tools/FreehandTool.h"

#include "canvas/DashedLine.h"
#include "canvas/tools/RubberBand.h"
#include "image/RegionConvert.h"

#include <QPainter>

namespace kalvo {

void TFreehandTool::AddVertex(QPoint p)
{
    if (FPoints.empty() || FPoints.back() != p)
        FPoints.push_back(p);
}

void TFreehandTool::OwnPress(const TToolMouse& m)
{
    if (!Host().HasImage())
        return;
    Host().StopAnts();
    const QPoint p = Host().ClampToImageEdge(Host().ScreenToImage(m.Pos));
    FRubberShown = false;
    if (!Host().Selecting()) {
        Host().SetSelecting(true);
        FPoints.clear();
    }
    Host().CaptureMouse(true);
    AddVertex(p);
    RequestRepaint();
}

void TFreehandTool::OwnMove(const TToolMouse& m)
{
    if (!Host().HasImage())
        return;
    const QPoint p = Host().ClampToImageEdge(Host().ScreenToImage(m.Pos));
    if (Host().Dragging()) {
        const std::size_t before = FPoints.size();
        AddVertex(p);
        if (FPoints.size() != before)
            RequestRepaint();
    } else if (Host().Selecting()) {
        FRubberEnd = Host().ImageToScreen(p);
        FRubberShown = true;
        RequestRepaint();
    }
}

void TFreehandTool::OwnRelease(const TToolMouse& m)
{
    Host().SetDragging(false);
    Host().CaptureMouse(false);
    // A left release leaves the polygon open; the right button closes it.
    if (m.Button == Qt::RightButton && Host().Selecting())
        FinishSelection();
}

void TFreehandTool::DoubleClick(const TToolMouse& m)
{
    TSelectionTool::DoubleClick(m);
    // The double click comes without a press of its own here, so nothing is to be ignored after
    // it; the click before it added its vertex already.
    if (m.Button == Qt::LeftButton && Host().Selecting())
        FinishSelection();
}

TRegionRef TFreehandTool::BuildRegion()
{
    TRegionRef region = CreateRegionFromPoints(FPoints);
    FPoints.clear();
    FRubberShown = false;
    return region;
}

void TFreehandTool::PaintOwnOverlay(QPainter& painter)
{
    if (FPoints.empty())
        return;
    const TViewGeometry& view = Host().View();
    QPoint last = LimitToDisplayedImage(view, Host().ImageToScreen(FPoints.front()));
    for (std::size_t i = 1; i < FPoints.size(); ++i) {
        const QPoint p = LimitToDisplayedImage(view, Host().ImageToScreen(FPoints[i]));
        ScreenDashLine(painter, last, p);
        last = p;
    }
    if (FRubberShown && !Host().Dragging()) {
        // The rubber line inverts what lies under it.
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawLine(Host().ImageToScreen(FPoints.back()), FRubberEnd);
        painter.restore();
    }
}

} // namespace kalvo
