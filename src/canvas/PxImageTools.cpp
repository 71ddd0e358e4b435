// The canvas's services to its tools: committing a finished selection gesture, the ants,
// scrolling and zooming for the hand and zoom tools, the mode change, the busy cursor and events.
#include "canvas/PxImage.h"

#include <QContextMenuEvent>
#include <QCursor>

namespace kalvo {

QSize TpxImage::ClientSize() const
{
    return {ClientWidth(), ClientHeight()};
}

int TpxImage::CommitSelection(TRegionRef created, int combineMode)
{
    const int result = CombineSelection(std::move(created), combineMode);
    RestartAnts();
    return result;
}

void TpxImage::StopAnts()
{
    FAntsTimer.stop();
}

void TpxImage::RestartAnts()
{
    FAntsPhase = 0;
    if (FShowRegion && Region() && FBusyCount == 0)
        FAntsTimer.start();
    else
        FAntsTimer.stop();
}

void TpxImage::ScrollTo(int x, int y)
{
    SetScrollPosition(x, y);
}

void TpxImage::ZoomStepAt(QPoint p, bool zoomIn)
{
    SetAutoStretch(false);
    ZoomStep(p.x(), p.y(), zoomIn);
}

void TpxImage::ShowBusyCursor()
{
    if (!FAutoMouseCursor)
        return;
    // The X11 platform sends a cursor change to the server at once.
    viewport()->setCursor(Qt::WaitCursor);
}

void TpxImage::contextMenuEvent(QContextMenuEvent* event)
{
    // The popup opens on the right button's release (mouseReleaseEvent), not here.
    event->accept();
}

void TpxImage::RaisePointSelected(Qt::MouseButton button, TColor color)
{
    emit OnPointSelected(button, color);
}

} // namespace kalvo
