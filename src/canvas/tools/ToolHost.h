#pragma once
// What a canvas tool may reach of the canvas: coordinate mapping, the image and the selection,
// committing a new selection or bitmap, raising the canvas's events, capture, auto-scroll and
// repainting. The canvas implements it; tools never touch the canvas's fields.
#include "canvas/MouseMode.h"
#include "canvas/OutlineOverlay.h"
#include "canvas/ToolSettings.h"
#include "canvas/ViewGeometry.h"
#include "image/Bitmap.h"
#include "image/Region.h"
#include "image/StrokeBackup.h"

#include <QCursor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace kalvo {

class TToolHost {
public:
    virtual ~TToolHost() = default;

    // Coordinates (client pixels of the viewport, counted in device pixels <-> image pixels).
    virtual QPoint ScreenToImage(QPoint p) const = 0;
    virtual QPoint ImageToScreen(QPoint p) const = 0;
    virtual QPoint ClampToImageEdge(QPoint p) const = 0;
    virtual bool IsInImage(QPoint p) const = 0;
    virtual bool IsInDisplayedImage(QPoint p) const = 0;
    virtual const TViewGeometry& View() const = 0;
    virtual double ZoomFactor() const = 0;
    // Device pixels per logical pixel of the screen the canvas is on (the cursors' size).
    virtual double PixelRatio() const = 0;

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
    // The ants' dash phase (0..7), for outlines a tool draws that march with them.
    virtual int AntsPhase() const = 0;
    // Scrolls to image column x, row y (clamped) and updates the view.
    virtual void ScrollTo(int x, int y) = 0;
    // Turns fit-to-window off and makes one zoom step about client point p.
    virtual void ZoomStepAt(QPoint p, bool zoomIn) = 0;
    virtual TMouseMode PreviousMouseMode() const = 0;
    // Changes the mode; the calling tool is kept alive until the event that called it returns.
    virtual void ChangeMouseMode(TMouseMode mode) = 0;
    // Shows the wait cursor at once (before long work); ApplyModeCursor ends it.
    virtual void ShowBusyCursor() = 0;
    virtual void RaisePointSelected(Qt::MouseButton button, TColor color) = 0;
    // Moves and floating pastes: the update lock (taken once per drag, released exactly once),
    // recomposing the frame, the zoomed outline, the hole colour, and the committed outline move
    // (OnMoveRegion, then MoveSelection).
    virtual void LockUpdates(bool on) = 0;
    virtual void RecomposeFrame() = 0;
    virtual const TZoomedOutline& ZoomedOutline() const = 0;
    virtual TColor DisplayBackgroundColor() const = 0;
    virtual void CommitOutlineMove(int dx, int dy) = 0;
    // --- Painting tools: the pixels, the colours and the painting notifications ---------------
    // The image for changing in place; BitmapPixelsChanged must follow every change.
    virtual TBitmap& PaintBitmap() = 0;
    // Pixels inside the image rectangle were changed in place: the reduced copies and the frame
    // are brought up to date there and just that part of the screen is repainted.
    virtual void BitmapPixelsChanged(const QRect& imageRect) = 0;
    // Replaces the whole image (keeping the view and the selection).
    virtual void ReplaceBitmap(TBitmap bitmap) = 0;
    // The foreground or the background colour.
    virtual TColor PaintColor(bool foreground) const = 0;
    // Busy section (hourglass, no repaint of the image) and update lock (no outline), in pairs.
    virtual void PaintBusy(bool on) = 0;
    virtual void PaintUpdateLock(bool on) = 0;
    // Stops the marching ants for a stroke, or restarts them when the outline is shown.
    virtual void PauseAnts(bool on) = 0;
    // The painting notifications the main window records undo steps from, with the image
    // rectangle the coming change can touch when the tool knows it (absent: the whole picture).
    // False when the step could not be recorded (no memory for it): the tool then paints nothing.
    enum class TPaintNotice { PaintImage, Draw, BeginBrush, EndBrush, Shape, Text };
    virtual bool RaisePaintNotice(TPaintNotice notice, const std::optional<QRect>& area) = 0;
    virtual void RaiseSpoitSelect(Qt::MouseButton button, TColor color) = 0;
    // Recomposes the whole frame and repaints.
    virtual void InvalidateFrame() = 0;
    // The pixels a brush stroke painted over, kept for its undo step (between BeginBrush and the
    // end of EndBrush).
    virtual TStrokeBackup& StrokeBackup() = 0;
};

// The painting busy section for a scope, also when an exception passes.
class TPaintBusyGuard {
public:
    explicit TPaintBusyGuard(TToolHost& host) : FHost(host) { FHost.PaintBusy(true); }
    ~TPaintBusyGuard() { FHost.PaintBusy(false); }
    TPaintBusyGuard(const TPaintBusyGuard&) = delete;
    TPaintBusyGuard& operator=(const TPaintBusyGuard&) = delete;

private:
    TToolHost& FHost;
};

} // namespace kalvo
