#pragma once
// The floating paste (mmMerge): a picture from the clipboard floats over the image, dragged into
// place, until Apply merges it with the merge transparency or Cancel drops it.
#include "canvas/FloatPreview.h"
#include "canvas/tools/CanvasTool.h"
#include "canvas/tools/FloatingDrag.h"

namespace kalvo {

class TMergeTool : public TCanvasTool {
public:
    TMergeTool(TToolHost& host, TMouseMode mode) : TCanvasTool(host, mode), FDrag(host) { }

    // The picture is placed at the top-left of the view.
    void Enter() override;
    void Leave() override;
    void Press(const TToolMouse& m) override;
    void Move(const TToolMouse& m) override;
    void Release(const TToolMouse& m) override;
    bool KeyDown(const TToolKey& k) override;
    void Cancel() override;
    void PaintOverlay(QPainter& painter) override;

    // Takes copies of the picture and of its own shape (absent: the whole picture).
    void SetPicture(const TBitmap& picture, const TRegionRef& region);
    const TBitmap& FloatPicture() const { return FPicture; }
    const TRegionRef& PasteRegion() const { return FPasteRegion; }
    QPoint FloatOffset() const { return FFloatOffset; }
    void SetFloatOffset(QPoint value) { FFloatOffset = value; }
    // The placeholder is shown instead of the picture at this zoom.
    static bool ShowsPlaceholder(int zoom) { return zoom % 100 != 0 && zoom < 2000; }

private:
    // The paste's shape (or the picture's rectangle) at the current zoom, and its inner frame.
    void rescale();

    TBitmap FPicture;
    TRegionRef FPasteRegion;
    TRegionRef FScaledPasteRegion;
    TRegion FScaledFrame;
    int FScaledZoom = 0;
    QPoint FFloatOffset;
    TFloatingDrag FDrag;
    TFloatPreview FPreview;
};

} // namespace kalvo
