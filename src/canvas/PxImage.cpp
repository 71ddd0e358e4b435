#include "canvas/PxImage.h"

#include "canvas/CanvasCursors.h"
#include "canvas/CoordinateMapping.h"
#include "canvas/DisplayColors.h"
#include "canvas/FrameComposer.h"
#include "canvas/tools/CanvasTool.h"

#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace kalvo {

TpxImage::TpxImage(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    const QColor window = palette().color(QPalette::Window);
    FColor = RGB(window.red(), window.green(), window.blue());
    FAntsTimer.setInterval(150);
    FAutoScrollTimer.setInterval(50);
    connect(&FAntsTimer, &QTimer::timeout, this, &TpxImage::AntsTimerTimer);
    connect(&FAutoScrollTimer, &QTimer::timeout, this, &TpxImage::AutoScrollTimerTimer);
    // The view follows the document: a new picture is laid out, a new selection's outline is
    // scaled for the zoom and drawn.
    FDocument.OnPictureReplaced = [this] { BitmapReplaced(); };
    FDocument.OnSelectionReplaced = [this] {
        ScaleOutline();
        Invalidate();
    };
    FTool = CreateCanvasTool(FMouseMode, *this);
    resize(100, 100);
    RecalcDisplayColors();
    ApplyModeCursor();
}

TpxImage::~TpxImage() = default;

void TpxImage::SetBitmap(const TBitmap& bitmap)
{
    if (bitmap.width() != Bitmap().width() || bitmap.height() != Bitmap().height())
        FView.ScrollX = FView.ScrollY = 0;
    FReduced.Clear();
    FOverlay.reset();
    FDocument.SetBitmap(bitmap);
}

void TpxImage::SetBitmap(TBitmap&& bitmap)
{
    ExchangeBitmap(std::move(bitmap));
}

TBitmap TpxImage::ExchangeBitmap(TBitmap&& bitmap)
{
    if (bitmap.width() != Bitmap().width() || bitmap.height() != Bitmap().height())
        FView.ScrollX = FView.ScrollY = 0;
    FReduced.Clear();
    FOverlay.reset();
    return FDocument.ExchangeBitmap(std::move(bitmap));
}

void TpxImage::BitmapReplaced()
{
    RecalcLayout();
    RecalcDisplayColors();
    ClampScroll();
    UpdateView();
    SetZoom(FView.Zoom);
}

bool TpxImage::SetPaletteEntries(std::span<const TRGBQuad> entries, int count)
{
    if (!FDocument.SetPaletteEntries(entries, count))
        return false;
    RecalcDisplayColors();
    ImageChanged();
    return true;
}

void TpxImage::ImageChanged()
{
    FReduced.Clear();
    Invalidate();
}

void TpxImage::Assign(const TpxImage& other)
{
    if (&other == this)
        return;
    SetBitmap(other.Bitmap());
    SetRegion(other.Region());
    if (HasImage() && other.SelectionMask()) {
        FDocument.SetSelectionMask(other.SelectionMask());
        RebuildOutline();
    }
    SetForegroundColor(other.FForegroundColor);
    SetBackgroundColor(other.FBackgroundColor);
}

// --- Colours ------------------------------------------------------------------------------------

void TpxImage::RecalcDisplayColors()
{
    FDisplayForegroundColor = DisplayColorFor(Bitmap(), FForegroundColor);
    FDisplayBackgroundColor = DisplayColorFor(Bitmap(), FBackgroundColor);
    emit OnChangeColors();
}

void TpxImage::SetForegroundColor(TColor value)
{
    if (value == FForegroundColor)
        return;
    FForegroundColor = value;
    RecalcDisplayColors();
}

void TpxImage::SetBackgroundColor(TColor value)
{
    if (value == FBackgroundColor)
        return;
    FBackgroundColor = value;
    RecalcDisplayColors();
}

void TpxImage::SwapColors()
{
    std::swap(FForegroundColor, FBackgroundColor);
    RecalcDisplayColors();
}

// --- Coordinates --------------------------------------------------------------------------------

QPoint TpxImage::ScreenToImage(QPoint p) const
{
    return kalvo::ScreenToImage(FView, p);
}
QPoint TpxImage::ImageToScreen(QPoint p) const
{
    return kalvo::ImageToScreen(FView, p);
}
QPoint TpxImage::ImageToScreenCentre(QPoint p) const
{
    return kalvo::ImageToScreenCentre(FView, p);
}
QPoint TpxImage::ClampToImageEdge(QPoint p) const
{
    return kalvo::ClampToImageEdge(FView, p);
}
QPoint TpxImage::ClampToImagePixel(QPoint p) const
{
    return kalvo::ClampToImagePixel(FView, p);
}
bool TpxImage::IsInImage(QPoint p) const
{
    return kalvo::IsInImage(FView, p);
}
bool TpxImage::IsInDisplayedImage(QPoint p) const
{
    return kalvo::IsInDisplayedImage(FView, p);
}

void TpxImage::SetToolSettings(const TToolSettings& value)
{
    FToolSettings = value;
    // A text being typed shows in the new font at once.
    if (FMouseMode == mmText)
        viewport()->update();
}

// --- Mouse mode and cursor ----------------------------------------------------------------------

void TpxImage::SetMouseMode(TMouseMode value)
{
    if (value == FMouseMode)
        return;
    FPreviousMouseMode = FMouseMode;
    FTool->Leave();
    // The brush paints through a mask; a mask that holds only 0 and 255 is not kept after it.
    if (FMouseMode == mmBrush && IsMaskHard())
        DropSelectionMask();
    // A tool may change the mode from its own event handler: it stays alive until then.
    FRetiredTool = std::exchange(FTool, CreateCanvasTool(value, *this));
    FMouseMode = value;
    if (value == mmBrush)
        EnsureSelectionMask();
    FTool->Enter();
    // The input method serves the text tool only.
    setAttribute(Qt::WA_InputMethodEnabled, value == mmText);
    ApplyModeCursor();
    Invalidate();
    emit OnMouseModeChange();
}

void TpxImage::SetAutoMouseCursor(bool value)
{
    FAutoMouseCursor = value;
    if (value)
        ApplyModeCursor();
}

QCursor TpxImage::ModeCursor() const
{
    if (!FAutoMouseCursor || FMouseMode == mmSelectPoint)
        return cursor();
    if (const std::optional<QCursor> own = FTool->Cursor())
        return *own;
    const int number = [this]() -> int {
        switch (FMouseMode) {
        case mmNeko: return FDragging ? crHandClosed : crHandOpen;
        case mmSelectRegion:
        case mmSelectRect:
        case mmSelectEllipse: return crSelect;
        case mmSelectMagicWand: return crMagicWand;
        case mmZoom: return crZoom;
        case mmMoveRegion: return crMoveRegion;
        case mmMoveSelectArea:
        case mmMerge: return crMoveArea;
        case mmPaint: return crPaint;
        case mmSpoit: return crSpoit;
        case mmPenFreehand:
        case mmPenLine: return crPen;
        case mmBrush: return crBrush;
        default: return 0; // not a canvas cursor: the arrow
        }
    }();
    return CanvasCursor(number, PixelRatio());
}

void TpxImage::ApplyModeCursor()
{
    if (FAutoMouseCursor)
        viewport()->setCursor(ModeCursor());
}

// --- Busy ---------------------------------------------------------------------------------------

void TpxImage::BeginBusy()
{
    if (FAutoMouseCursor)
        viewport()->setCursor(Qt::WaitCursor);
    FAntsTimer.stop();
    ++FBusyCount;
}

void TpxImage::EndBusy()
{
    if (FBusyCount <= 0)
        return;
    if (--FBusyCount > 0)
        return;
    ApplyModeCursor();
    if (FShowRegion)
        FAntsTimer.start();
    viewport()->update();
}

} // namespace kalvo
