#pragma once
// The canvas control: holds the document being edited (picture and selection, see
// document/Document.h) and shows it at any zoom inside its own scrollable, optionally centred
// view, with the selection outline as marching ants. The document's functions are forwarded.
//
// Frames are composed where they are painted: the part of the view a paint asks for is stretched
// (nearest neighbour) from the image, a strip of rows at a time, into a small buffer, the outline
// drawn into it, and the strip copied to the screen 1:1. The canvas keeps no picture of the whole
// frame (the window system's backing store holds what is on screen): a change repaints only the
// area it touched, and the marching ants only the outline's area.
//
// Events are Qt signals; the sender is the signal's sender().
#include "canvas/MouseMode.h"
#include "canvas/OutlineOverlay.h"
#include "canvas/ReducedImages.h"
#include "canvas/ToolSettings.h"
#include "canvas/ViewGeometry.h"
#include "canvas/tools/ToolHost.h"
#include "document/Document.h"
#include "image/Bitmap.h"
#include "image/Palette.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"
#include "imaging/raster/PenBrush.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QRegion>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace kalvo {

// How the margins around the image are painted: bsClear is the grey diagonal cross-hatch, the
// other styles use the control's Color (solid, or hatch lines in Color on white).
enum TBGBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross,
};

enum class TBorderStyle { None, Single };

class TCanvasTool;

class TpxImage : public QAbstractScrollArea, public TToolHost {
    Q_OBJECT
public:
    explicit TpxImage(QWidget* parent = nullptr);
    ~TpxImage() override;

    // The document shown.
    const TDocument& Document() const { return FDocument; }

    // --- The image ---------------------------------------------------------------------------
    const TBitmap& Bitmap() const override { return FDocument.Bitmap(); }
    // Takes a private copy (32-bit images are held at 24 bits) and relays out the view. A new
    // size resets the scroll position to 0, 0; the same size keeps it. The selection is kept.
    // std::bad_alloc when the copy cannot be made; the canvas then keeps its image.
    void SetBitmap(const TBitmap& bitmap);
    // The same, taking over the pixels instead of copying them (callers handing over a local move
    // it: a 24-megapixel photo is 72 MB).
    void SetBitmap(TBitmap&& bitmap);
    // As SetBitmap(TBitmap&&), handing back the image it replaces (neither is copied). A 32-bit
    // image that cannot be converted leaves everything as it was (std::bad_alloc).
    TBitmap ExchangeBitmap(TBitmap&& bitmap);
    bool HasImage() const override { return FDocument.HasImage(); }
    int BitCount() const { return FDocument.BitCount(); }
    // The palette at 1..8 bits per pixel, else an empty list.
    std::vector<TColor> ImagePalette() const { return FDocument.ImagePalette(); }
    // Replaces the first count palette entries (blue, green, red, 0 each) of a palette image and
    // repaints. Returns false (and changes nothing) for an image without a palette.
    bool SetPaletteEntries(std::span<const TRGBQuad> entries, int count);
    // The whole frame as a paint composes it (Format_RGB32), (DisplayWidth + 1) x (DisplayHeight
    // + 1) pixels: the image, its edge and the outline.
    QImage ComposedFrame();
    // To be called after the bitmap's pixels were changed in place: the reduced copies used for
    // zoomed-out frames are dropped and the frame is recomposed.
    void ImageChanged();
    // Copies bitmap, region, selection mask and colours of another canvas.
    void Assign(const TpxImage& other);

    // --- Zoom ----------------------------------------------------------------------------------
    int Zoom() const { return FView.Zoom; }
    double ZoomFactor() const override { return FView.ZoomFactor(); }
    // 1..5000 sets that zoom; 0 (or any value while AutoStretch is on) fits the image to the
    // client area; other values are ignored. Raises OnZoomChanged when the zoom changed.
    void SetZoom(int value);
    bool AutoStretch() const { return FAutoStretch; }
    // Fit to window: scroll bars off while on; every size change and new bitmap refits.
    void SetAutoStretch(bool value);
    // One zoom step keeping the image point under client point (x, y) in place.
    void ZoomStep(int x, int y, bool zoomIn);
    void ZoomIn();
    void ZoomOut();

    // --- View ----------------------------------------------------------------------------------
    // The layout: scroll position, image offset, visible, display and drawn sizes.
    const TViewGeometry& View() const override { return FView; }
    int ScrollX() const { return FView.ScrollX; }
    int ScrollY() const { return FView.ScrollY; }
    int ImageLeft() const { return FView.ImageLeft; }
    int ImageTop() const { return FView.ImageTop; }
    // Scrolls to (x, y), clamped to the scrollable range.
    void SetScrollPosition(int x, int y);
    bool Center() const { return FView.Center; }
    void SetCenter(bool value);
    bool ShowScrollBars() const { return FView.ShowScrollBars; }
    void SetShowScrollBars(bool value);
    TBGBrushStyle BGBrushStyle() const { return FBGBrushStyle; }
    void SetBGBrushStyle(TBGBrushStyle value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // The margin colour for brush styles other than bsClear.
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // The client area and every client coordinate of the canvas (mouse events' positions, the
    // coordinates of its signals, ScreenToImage) count device pixels: at a device pixel ratio of
    // 2, 100 % zoom shows one image pixel per screen pixel.
    double PixelRatio() const override;
    int ClientWidth() const;
    int ClientHeight() const;
    // The client pixel under a position in viewport (logical) coordinates, and back.
    QPoint ClientPoint(QPointF viewportPos) const;
    QPointF ViewportPoint(QPoint clientPos) const;

    // --- Coordinates (see CoordinateMapping.h) -------------------------------------------------
    QPoint ScreenToImage(QPoint p) const override;
    QPoint ImageToScreen(QPoint p) const override;
    QPoint ImageToScreenCentre(QPoint p) const;
    QPoint ClampToImageEdge(QPoint p) const override;
    QPoint ClampToImagePixel(QPoint p) const;
    bool IsInImage(QPoint p) const override;
    bool IsInDisplayedImage(QPoint p) const override;

    // --- Selection and its outline --------------------------------------------------------------
    const TRegionRef& Region() const override { return FDocument.Region(); }
    // Replaces the selection by a copy (absent removes it); drops the selection mask. Does
    // nothing without an image. Raises no before-change event.
    void SetRegion(const TRegionRef& value);
    // The region is intersected with the image; the old selection is replaced only after the
    // new outline was traced. OnRegionChanged follows.
    // Removes the selection: OnRegionChange before, OnRegionDeleted and OnRegionChanged after.
    void DeleteSelection();
    // Selects the whole image / inverts the selection (a feathered one value by value; no
    // selection selects everything). OnRegionChange before, OnRegionChanged after.
    void SelectAll();
    void InvertSelection();
    // Combines a shape made by a gesture with the selection (RGN_COPY, RGN_OR, RGN_DIFF): one
    // OnRegionChange before and one OnRegionChanged after a change; adding or subtracting an
    // empty shape changes nothing. An absent shape removes the selection. Returns the class.
    int CombineSelection(TRegionRef created, int combineMode);
    int RegionComplexity() const override { return FDocument.RegionComplexity(); }
    const std::optional<TBitmap>& SelectionMask() const override { return FDocument.SelectionMask(); }
    // Draws the picture at (0, 0) over an all-255 mask (absent: no mask); a mask of only 0 and
    // 255 is dropped. The region stays; callers set it first. OnRegionChanged follows.
    void SetSelectionMask(const std::optional<TBitmap>& mask);
    // The mask from the region: 0 inside, 255 outside, all 0 without a region.
    TBitmap CreateSelectionMask() const { return FDocument.CreateSelectionMask(); }
    // Creates the mask from the region when there is none.
    void EnsureSelectionMask() { FDocument.EnsureSelectionMask(); }
    void DropSelectionMask() { FDocument.DropSelectionMask(); }
    // True without a mask or when every value is 0 or 255.
    bool IsMaskHard() const { return FDocument.IsMaskHard(); }
    // Fill the region with 0 (selected) / 255 (not selected) in the mask, when there is one.
    void MarkMaskSelected(const TRegion& region) { FDocument.MarkMaskSelected(region); }
    void MarkMaskUnselected(const TRegion& region) { FDocument.MarkMaskUnselected(region); }
    // The outline in image coordinates and its zoomed copy.
    const TPoints& Outline() const { return FDocument.Outline(); }
    const TZoomedOutline& ZoomedOutline() const override { return FZoomedOutline; }
    // Traces the outline again from the mask or the region; an empty outline removes the region.
    void RebuildOutline();
    // Recomputes the zoomed outline and box for the current zoom.
    void ScaleOutline();
    bool ShowRegion() const { return FShowRegion; }
    void SetShowRegion(bool value);
    int AntsPhase() const override { return FAntsPhase; }
    bool AntsRunning() const { return FAntsTimer.isActive(); }

    // --- Colours -------------------------------------------------------------------------------
    TColor ForegroundColor() const { return FForegroundColor; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetForegroundColor(TColor value);
    void SetBackgroundColor(TColor value);
    // What painting produces: the nearest palette colours on images of 8 bits or fewer.
    TColor DisplayForegroundColor() const { return FDisplayForegroundColor; }
    TColor DisplayBackgroundColor() const override { return FDisplayBackgroundColor; }
    void SwapColors();

    // --- Mouse mode ----------------------------------------------------------------------------
    TMouseMode MouseMode() const { return FMouseMode; }
    void SetMouseMode(TMouseMode value);
    TMouseMode PreviousMouseMode() const override { return FPreviousMouseMode; }
    bool AutoMouseCursor() const { return FAutoMouseCursor; }
    void SetAutoMouseCursor(bool value);
    // The cursor of the current mode.
    QCursor ModeCursor() const;
    void ApplyModeCursor() override;
    // The tool serving the current mode (never null).
    TCanvasTool& Tool() const { return *FTool; }

    // Tool settings read by the selection and painting tools.
    const TToolSettings& ToolSettings() const override { return FToolSettings; }
    void SetToolSettings(const TToolSettings& value);
    // Commits or abandons the current tool's edit (the text tool's 適用 and キャンセル).
    void EndToolEdit(bool commit);

    // --- Busy and update lock ------------------------------------------------------------------
    // While busy the image area is not repainted and the ants stand still; the outermost
    // EndBusy restores the cursor, restarts the ants (when shown) and repaints.
    void BeginBusy();
    void EndBusy();
    int BusyCount() const { return FBusyCount; }
    // While locked the outline is neither drawn nor animated. Take and release in pairs.
    void BeginUpdateLock() { ++FUpdateLock; }
    void EndUpdateLock() { --FUpdateLock; }
    int UpdateLock() const { return FUpdateLock; }

    // --- Frame ---------------------------------------------------------------------------------
    // Schedules a repaint of the whole view.
    void Invalidate();
    // How many paints composed the whole visible frame (the ants and painting compose only the
    // area they changed).
    int ComposeCount() const { return FComposeCount; }

    // --- Auto-scroll during drags --------------------------------------------------------------
    // A selection or move gesture is in progress; the auto-scroll timer runs while it is.
    bool Selecting() const override { return FSelecting; }
    void SetSelecting(bool value) override;
    bool Dragging() const override { return FDragging; }
    void SetDragging(bool value) override { FDragging = value; }
    void CaptureMouse(bool on) override;
    void UpdateClient(const QRect& area = QRect()) override;
    bool AutoScrollRunning() const { return FAutoScrollTimer.isActive(); }
    // One auto-scroll step for a pointer at clientPos: scrolls by how far it lies outside the
    // client area (client pixels used as image pixels). Returns true when the view moved.
    bool AutoScrollBy(QPoint clientPos);

    // --- Painting (PxImagePainting.cpp) ---------------------------------------------------------
    // Strokes the selection outline in the foreground colour with the pen's transparency and
    // anti-aliasing and the brush size as width; OnDraw comes before the image changes.
    void StrokeOutline();
    // Draws along the points (segments in pairs, or a polyline): anti-aliased or transparent
    // strokes through a round soft tip above 8 bits, else a solid round pen of the width, only
    // inside clip (absent: no clipping) and through the selection mask when there is one.
    // Nothing without two points; OnDraw first.
    void DrawAlongPoints(const TPoints& points, bool pairs, TColor color, const TRegionRef& clip, int alpha,
                         bool antiAlias, int width);
    // Tool host: painting.
    TBitmap& PaintBitmap() override { return FDocument.Pixels(); }
    void BitmapPixelsChanged(const QRect& imageRect) override;
    void ReplaceBitmap(TBitmap bitmap) override { SetBitmap(std::move(bitmap)); }
    TColor PaintColor(bool foreground) const override { return foreground ? FForegroundColor : FBackgroundColor; }
    void PaintBusy(bool on) override { on ? BeginBusy() : EndBusy(); }
    void PaintUpdateLock(bool on) override { on ? BeginUpdateLock() : EndUpdateLock(); }
    void PauseAnts(bool on) override;
    bool RaisePaintNotice(TPaintNotice notice, const std::optional<QRect>& area) override;
    // While a painting notice, OnMerge or OnMovingSelectArea is raised: the image rectangle the
    // coming change can touch (absent: unknown, the whole picture).
    const std::optional<QRect>& PaintNoticeArea() const { return FPaintNoticeArea; }
    // Called by a listener of a painting notice that could not record the step (no memory for
    // it): the tool then paints nothing.
    void RefusePaintNotice() { FPaintNoticeRefused = true; }
    void RaiseSpoitSelect(Qt::MouseButton button, TColor color) override { emit OnSpoitSelect(button, color); }
    void InvalidateFrame() override { Invalidate(); }
    TStrokeBackup& StrokeBackup() override { return FStrokeBackup; }

    // Timer entry points (public so that tests can tick them).
    void AntsTimerTimer();
    void AutoScrollTimerTimer();

    // --- Tool host services of the selection, hand and zoom tools (PxImageTools.cpp) ----------
    QSize ClientSize() const override;
    int CommitSelection(TRegionRef created, int combineMode) override;
    void StopAnts() override;
    void RestartAnts() override;
    void ScrollTo(int x, int y) override;
    void ZoomStepAt(QPoint p, bool zoomIn) override;
    void ChangeMouseMode(TMouseMode mode) override { SetMouseMode(mode); }
    void ShowBusyCursor() override;
    void RaisePointSelected(Qt::MouseButton button, TColor color) override;
    // The canvas's popup menu (none: no popup); it opens on the right button's release, since on
    // X11 a popup opened on the press would take the release.
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }
    // --- Moves and floating pastes (PxImageMove.cpp) -------------------------------------------
    // Moves the selection by an offset kept so that one column and row of its box stay on the
    // image; nothing without a selection or when the limited offset is (0, 0). OnMoveRegion first.
    void MoveRegionBy(int dx, int dy);
    // The unconditional shift of mask and region.
    void MoveSelection(int dx, int dy);
    // Starts a floating paste of a copy of the picture with its own shape (absent: the whole
    // picture); ignored while one is floating.
    void PasteMerge(const TBitmap& picture, const TRegionRef& region);
    // Writes moved pixels (mmMoveSelectArea) or merges the floating paste (mmMerge, then back to
    // the previous mode); other modes: nothing.
    void ApplyOperation();
    // Abandons the moved pixels' offset or the floating paste; other modes: nothing.
    void CancelOperation();
    // The offset of the lifted pixels (mmMoveSelectArea) or the floating picture's position
    // (mmMerge); (0, 0) in other modes.
    QPoint FloatPosition() const;
    int MergeAlphaChannel() const { return FToolSettings.MergeAlphaChannel; }
    void LockUpdates(bool on) override;
    void RecomposeFrame() override { Invalidate(); }
    void CommitOutlineMove(int dx, int dy) override;
    // --- Effects on the image and its selection (PxImageEffects.cpp) -------------------------
    // Draws a drop shadow behind the selected object (see imaging/effects/DropShadow.h) and
    // repaints. Does nothing without a selection or on an image of 8 bits or fewer; a selection
    // mask made for the shadow is dropped again afterwards. True when the image changed.
    bool DropShadow(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                    const TProgressCallback& progress = {});
    // The picture DropShadow would make, leaving the canvas as it is; none where it does nothing.
    std::optional<TBitmap> ShadowedImage(int offsetX, int offsetY, int obscure, int alpha, TColor colour,
                                         const TProgressCallback& progress = {}) const;
    // Feathers the selection border by `pixels`: OnRegionChange, then the selection takes the
    // widened region and the softened mask (a hard result drops the mask). Does nothing without
    // a selection or on an image of 8 bits or fewer. EPxImageError "PxImage.ObscureRegion: ..."
    // when the region cannot be made.
    void ObscureRegion(int pixels);
    // Copies patch (of the image's depth, 8 bits or more) into the image with its top-left corner
    // at `at`, clipped to the image, and repaints (previews that change a part of the image).
    void PatchBitmap(const TBitmap& patch, QPoint at);
    // Shows patch (8 bits or more) over the picture with its top-left pixel on image point `at`,
    // without changing the picture (previews of a canvas showing a view of another's picture),
    // replacing any earlier one, and repaints. A new picture drops it.
    void SetOverlay(TBitmap patch, QPoint at);
    void ClearOverlay();
    const std::optional<TBitmap>& Overlay() const { return FOverlay; }
    QPoint OverlayPosition() const { return FOverlayAt; }

signals:
    void OnZoomChanged(int zoom);
    void OnPaint();
    void OnShowRegionChange();
    void OnChangeColors();
    void OnMouseModeChange();
    void OnRegionChange();
    void OnRegionDeleted();
    // After every selection change (gestures, SetRegion, SetSelectionMask, SelectAll,
    // InvertSelection, DeleteSelection): the new selection is in place.
    void OnRegionChanged();
    void OnMoveRegion(int xOffset, int yOffset);
    void OnPointSelected(Qt::MouseButton button, kalvo::TColor cl);
    void OnSpoitSelect(Qt::MouseButton button, kalvo::TColor cl);
    void OnPaintImage();
    void OnDraw();
    void OnBeginBrush();
    void OnEndBrush();
    // A shape or a text is about to be drawn into the image.
    void OnDrawShape();
    void OnDrawText();
    void OnMovingSelectArea();
    void OnMerge();
    void OnMouseLeave();
    // A mouse gesture could not get the memory it needed: the tool changed nothing.
    void OnOutOfMemory();
    void OnClick();
    void OnMousedown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Runs a tool's part of a mouse event; a tool that runs out of memory leaves everything as
    // it was, and OnOutOfMemory reports it instead of the exception leaving the event handler.
    template <class Call>
    void RunToolEvent(Call&& call);
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // After the image was replaced: layout, display colours, scroll position and zoom.
    void BitmapReplaced();
    // Layout and view (PxImageView.cpp).
    void RecalcLayout();
    void UpdateView();
    void UpdateScrollBars();
    void ClampScroll() { FView.ClampScroll(); }
    void SizeChanged();
    // Rendering (PxImagePaint.cpp).
    void EraseMargins(QPainter& painter) const;
    // Composes the frame area (frame coordinates) and draws it at its place.
    void PaintFrameArea(QPainter& painter, const QRect& area);
    // Composes the part of the frame out holds (its pixel (0, 0) is frame pixel origin): image,
    // edge and outline.
    void ComposeInto(QImage& out, QPoint origin);
    // The outline is drawn: a selection shown, no update lock, no drag that hides it.
    bool OutlineShown() const;
    // The frame area (frame coordinates) the outline and its handles cover, for the ants.
    QRegion OutlineRepaintArea() const;
    TOutlinePlacement OutlinePlacement() const;
    void RecalcDisplayColors();
    // Selection (PxImageSelection.cpp).
    void InstallSelection(TRegionRef region, std::optional<TBitmap> mask);
    void RemoveSelection(bool raiseBefore);

    // The picture and the selection; code that changes the pixels in place calls ImageChanged().
    TDocument FDocument;
    TStrokeBackup FStrokeBackup;
    TReducedImages FReduced;
    std::optional<TBitmap> FOverlay;
    QPoint FOverlayAt;
    TViewGeometry FView;
    QImage FStrip; // the strip a paint composes into
    // During a paint: for each band of kOutlineBand frame rows, the outline segments (index of
    // their first point) that reach it.
    static constexpr int kOutlineBand = 64;
    std::vector<std::vector<std::uint32_t>> FOutlineBands;
    int FComposeCount = 0;
    bool FAutoStretch = false;
    TBGBrushStyle FBGBrushStyle = bsClear;
    TBorderStyle FBorderStyle = TBorderStyle::Single;
    TColor FColor = 0;

    TZoomedOutline FZoomedOutline;
    bool FShowRegion = true;
    int FAntsPhase = 0;
    QTimer FAntsTimer;
    QTimer FAutoScrollTimer;

    TColor FForegroundColor = 0x000000;
    std::optional<QRect> FPaintNoticeArea;
    bool FPaintNoticeRefused = false;
    // The paint notice area for a scope.
    struct TNoticeArea {
        TNoticeArea(TpxImage& image, const std::optional<QRect>& area) : FImage(image)
        {
            FImage.FPaintNoticeArea = area;
        }
        ~TNoticeArea() { FImage.FPaintNoticeArea.reset(); }
        TNoticeArea(const TNoticeArea&) = delete;
        TNoticeArea& operator=(const TNoticeArea&) = delete;
        TpxImage& FImage;
    };
    TColor FBackgroundColor = 0xFFFFFF;
    TColor FDisplayForegroundColor = 0x000000;
    TColor FDisplayBackgroundColor = 0xFFFFFF;

    TToolSettings FToolSettings;
    std::unique_ptr<TCanvasTool> FTool;
    QPointer<QMenu> FPopupMenu;
    std::unique_ptr<TCanvasTool> FRetiredTool; // the tool that changed the mode, until the next change
    TMouseMode FMouseMode = mmNeko;
    TMouseMode FPreviousMouseMode = mmNeko;
    bool FAutoMouseCursor = true;
    bool FMouseOver = false;
    bool FDragging = false;
    bool FSelecting = false;

    int FBusyCount = 0;
    int FUpdateLock = 0;
    int FBarUpdateDepth = 0;  // inside UpdateScrollBars: resizes wait for the outer layout
    int FSizeChangeDepth = 0; // inside SizeChanged
    bool FResizePending = false;
};

// Takes the canvas's update lock for a scope.
class TUpdateLockGuard {
public:
    explicit TUpdateLockGuard(TpxImage& image) : FImage(image) { FImage.BeginUpdateLock(); }
    ~TUpdateLockGuard() { FImage.EndUpdateLock(); }
    TUpdateLockGuard(const TUpdateLockGuard&) = delete;
    TUpdateLockGuard& operator=(const TUpdateLockGuard&) = delete;

private:
    TpxImage& FImage;
};

} // namespace kalvo
