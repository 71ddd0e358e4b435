// The painting commands: the fill, colour picker, pen and brush modes, stroking the selection
// outline, and the undo steps the canvas's painting notifications record.
#include "app/dialogs/MessageService.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>

#include <new>

namespace kalvo {

void TKalvoMainForm::connectPainting()
{
    // The steps are recorded while the image is still unchanged, keeping only the part the tool
    // says it can touch. A step that cannot be recorded is reported, and the tool paints nothing.
    const auto step = [this](const QString& description) {
        return [this, description] {
            RunCommand([this, &description] {
                try {
                    PushUndoArea(description, kUndoImage, pxImage1->PaintNoticeArea());
                } catch (...) {
                    pxImage1->RefusePaintNotice();
                    throw;
                }
            });
        };
    };
    // A tool that found no memory for a gesture changed nothing.
    connect(pxImage1, &TpxImage::OnOutOfMemory, this, [] { ShowFailure(std::bad_alloc()); });
    connect(pxImage1, &TpxImage::OnPaintImage, this, step(QStringLiteral("塗りつぶし")));
    connect(pxImage1, &TpxImage::OnDrawShape, this, step(QStringLiteral("図形")));
    connect(pxImage1, &TpxImage::OnDrawText, this, step(QStringLiteral("テキスト")));
    connect(pxImage1, &TpxImage::OnDraw, this, step(QStringLiteral("描画")));
    // A brush stroke paints in place, keeping the pixels it paints over in the canvas's stroke
    // backup: its step keeps the box where the picture now differs from them.
    connect(pxImage1, &TpxImage::OnEndBrush, this, [this] {
        RunCommand([this] {
            TStrokeBackup& backup = pxImage1->StrokeBackup();
            const bool complete = !backup.OutOfMemory();
            try {
                PushUndoStroke(QStringLiteral("描画"), kUndoImage, backup);
            } catch (...) {
                backup.Clear();
                throw;
            }
            backup.Clear();
            // Dabs that found no memory for their backup were left out of the stroke.
            if (!complete)
                throw std::bad_alloc();
        });
    });
}

void TKalvoMainForm::acDrawRegionExecute()
{
    pxImage1->StrokeOutline();
}

} // namespace kalvo
