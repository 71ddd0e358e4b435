#pragma once
// The drag shared by the move tools: the update lock taken once per drag and released exactly
// once, capture, the Dragging and Selecting flags (auto-scroll), and the offset the pointer has
// moved the dragged thing to. A drag that starts with an offset adds to it.
#include "canvas/tools/ToolHost.h"

#include <QPoint>

namespace kalvo {

class TFloatingDrag {
public:
    explicit TFloatingDrag(TToolHost& host) : FHost(host) { }

    bool Active() const { return FActive; }
    // Starts at client point pos with the thing already at offset.
    void Begin(QPoint pos, QPoint offset)
    {
        FHost.LockUpdates(true);
        FActive = true;
        FStart = FHost.ScreenToImage(pos) - offset;
        FHost.SetSelecting(true);
        FHost.SetDragging(true);
        FHost.CaptureMouse(true);
    }
    // The offset for the pointer at client point pos.
    QPoint OffsetAt(QPoint pos) const { return FHost.ScreenToImage(pos) - FStart; }
    // Moves offset after the pointer at client point pos; true when it changed (repaint).
    bool Follow(QPoint pos, QPoint& offset) const
    {
        if (!FActive)
            return false;
        const QPoint moved = OffsetAt(pos);
        if (moved == offset)
            return false;
        offset = moved;
        return true;
    }
    // Ends the drag when the left button is released; true when it ended (repaint).
    bool EndOnRelease(Qt::MouseButton button)
    {
        if (!FActive || button != Qt::LeftButton)
            return false;
        End();
        return true;
    }
    void End()
    {
        if (!FActive)
            return;
        FActive = false;
        FHost.CaptureMouse(false);
        FHost.SetDragging(false);
        FHost.SetSelecting(false);
        FHost.LockUpdates(false);
    }

private:
    TToolHost& FHost;
    bool FActive = false;
    QPoint FStart;
};

} // namespace kalvo
