#pragma once
// What a canvas tool may reach of the canvas: coordinate mapping, the image and the selection,
// committing a new selection or bitmap, raising the canvas's events, capture, auto-scroll and
// repainting. The canvas implements it; tools never touch the canvas's fields.
#include "canvas/MouseMode.h"
#include "canvas/ToolSettings.h"
#include "canvas/ViewGeometry.h"
#include "image/Bitmap.h"
#include "image/Region.h"

#include <QCursor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace kalvo {

class TToolHost {
public:
    virtual ~TToolHost() = default;

    // Coordinates (client pixels of the viewport <-> image pixels).
    virtual QPoint ScreenToImage(QPoint p) const = 0;
    virtual QPoint ImageToScreen(QPoint p) const = 0;
    virtual QPoint ClampToImageEdge(QPoint p) const = 0;
    virtual bool IsInImage(QPoint p) const = 0;
    virtual bool IsInDisplayedImage(QPoint p) const = 0;
    virtual const TViewGeometry& View() const = 0;
    virtual double ZoomFactor() const = 0;

    // The image, the selection and the tool settings.
    virtual bool HasImage() const = 0;
    virtual const TBitmap& Bitmap() const = 0;
    virtual const TRegionRef& Region() const = 0;
    virtual const std::optional<TBitmap>& SelectionMask() const = 0;
    virtual int RegionComplexity() const = 0;
    virtual const TToolSettings& ToolSettings() const = 0;

    // Gesture plumbing: capture, the Dragging and Selecting flags (Selecting runs auto-scroll),
    // the mode cursor, and repainting of a client rectangle (empty: the whole viewport).
    virtual void CaptureMouse(bool on) = 0;
    virtual bool Dragging() const = 0;
    virtual void SetDragging(bool value) = 0;
    virtual bool Selecting() const = 0;
    virtual void SetSelecting(bool value) = 0;
    virtual void ApplyModeCursor() = 0;
    virtual void UpdateClient(const QRect& area = QRect()) = 0;

    // --- Selection, view and mode services of the selection, hand and zoom tools -------------
    // The viewport's client size.
    virtual QSize ClientSize() const = 0;
    // Combines the shape of a finished gesture with the selection (RGN_COPY, RGN_OR, RGN_DIFF;
    // absent removes the selection), restarts the ants from phase 0; returns the class.
    virtual int CommitSelection(TRegionRef created, int combineMode) = 0;
    // The marching ants pause during a gesture; restart obeys the outline display setting.
    virtual void StopAnts() = 0;
    virtual void RestartAnts() = 0;
    // Scrolls to image column x, row y (clamped) and updates the view.
    virtual void ScrollTo(int x, int y) = 0;
    // Turns fit-to-window off and makes one zoom step about client point p.
    virtual void ZoomStepAt(QPoint p, bool zoomIn) = 0;
    virtual TMouseMode PreviousMouseMode() const = 0;
    // Changes the mode; the calling tool is kept alive until the event that called it returns.
    virtual void ChangeMouseMode(TMouseMode mode) = 0;
    // Shows the wait cursor at once (before long work); ApplyModeCursor ends it.
    virtual void ShowBusyCursor() = 0;
    virtual void RaiseImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint p) = 0;
    virtual void RaisePointSelected(Qt::MouseButton button, TColor color) = 0;
};

} // namespace kalvo
