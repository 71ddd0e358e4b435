// The painting commands: the fill, colour picker, pen and brush modes, stroking the selection
// outline, and the undo steps the canvas's painting notifications record.
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>

namespace kalvo {

void TKalvoMainForm::connectPainting()
{
    // The steps are recorded while the image is still unchanged, keeping only the part the tool
    // says it can touch. A step that cannot be recorded is reported; the painting goes on.
    const auto step = [this](const QString& description) {
        return [this, description] {
            RunCommand([this, &description] { PushUndoArea(description, kUndoImage, pxImage1->PaintNoticeArea()); });
        };
    };
    connect(pxImage1, &TpxImage::OnPaintImage, this, step(QStringLiteral("塗りつぶし")));
    connect(pxImage1, &TpxImage::OnDrawShape, this, step(QStringLiteral("図形")));
    connect(pxImage1, &TpxImage::OnDrawText, this, step(QStringLiteral("テキスト")));
    connect(pxImage1, &TpxImage::OnDraw, this, step(QStringLiteral("描画")));
    connect(pxImage1, &TpxImage::OnBeginBrush, this, [this] { FBrushSnapshot = pxImage1->Bitmap(); });
    // A brush stroke paints in place: its step keeps the box where the picture now differs from
    // the copy taken at the stroke's start.
    connect(pxImage1, &TpxImage::OnEndBrush, this, [this] {
        RunCommand([this] {
            if (FBrushSnapshot)
                PushUndoChange(QStringLiteral("描画"), kUndoImage, *FBrushSnapshot);
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
