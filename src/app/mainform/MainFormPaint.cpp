// The painting commands: the fill, colour picker, pen and brush modes, stroking the selection
// outline, and the undo steps the canvas's painting notifications record.
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>

namespace kalvo {

void TKalvoMainForm::connectPainting()
{
    // The steps are recorded while the image is still unchanged. A step that cannot be recorded
    // is reported; the painting goes on.
    connect(pxImage1, &TpxImage::OnPaintImage, this,
            [this] { RunCommand([this] { PushUndo(QStringLiteral("塗りつぶし"), kUndoImage); }); });
    connect(pxImage1, &TpxImage::OnDrawShape, this,
            [this] { RunCommand([this] { PushUndo(QStringLiteral("図形"), kUndoImage); }); });
    connect(pxImage1, &TpxImage::OnDrawText, this,
            [this] { RunCommand([this] { PushUndo(QStringLiteral("テキスト"), kUndoImage); }); });
    connect(pxImage1, &TpxImage::OnDraw, this,
            [this] { RunCommand([this] { PushUndo(QStringLiteral("描画"), kUndoImage); }); });
    connect(pxImage1, &TpxImage::OnBeginBrush, this, [this] { FBrushSnapshot = pxImage1->Bitmap(); });
    connect(pxImage1, &TpxImage::OnEndBrush, this, [this] {
        RunCommand([this] {
            if (FBrushSnapshot)
                PushUndoTaking(QStringLiteral("描画"), kUndoImage, *FBrushSnapshot);
            FBrushSnapshot.reset();
        });
    });
    connect(pxImage1, &TpxImage::OnMouseModeChange, this, &TKalvoMainForm::paintModeChanged);
}

void TKalvoMainForm::paintModeChanged()
{
    const TMouseMode mode = pxImage1->MouseMode();
    // The snapshot lives only in brush mode.
    if (mode == mmBrush)
        FBrushSnapshot = pxImage1->Bitmap();
    else
        FBrushSnapshot.reset();
}

void TKalvoMainForm::acDrawRegionExecute()
{
    pxImage1->StrokeOutline();
}

} // namespace kalvo
