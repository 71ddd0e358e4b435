// The annotation modes: shapes and text, their mode actions and the undo steps of what they draw.
// Their menu and tool-bar places are in the mode tables, their panels in MainFormProperty.
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QAction>

namespace kalvo {

void TKalvoMainForm::createAnnotateActions()
{
    const auto modeAction = [this](const QString& caption, const QString& tip, const QString& hint, const char* name,
                                   TMouseMode mode) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(tip);
        action->setStatusTip(hint);
        addModeAction(action, mode);
    };
    modeAction(QStringLiteral("図形(&S)"), QStringLiteral("図形"), QStringLiteral("直線・矢印・四角形・楕円を描く"),
               "acShape", mmShape);
    modeAction(QStringLiteral("テキスト(&T)"), QStringLiteral("テキスト"), QStringLiteral("クリックした位置に文字を書く"),
               "acText", mmText);
    // Recorded while the image is still unchanged, like the pen's step.
    connect(pxImage1, &TpxImage::OnDrawShape, this,
            [this] { RunCommand([this] { PushUndo(QStringLiteral("図形"), kUndoImage); }); });
    connect(pxImage1, &TpxImage::OnDrawText, this,
            [this] { RunCommand([this] { PushUndo(QStringLiteral("テキスト"), kUndoImage); }); });
}

} // namespace kalvo
