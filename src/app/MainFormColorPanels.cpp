// The colour commands of the main window (foreground and background colour, swap) and the two
// colour tool windows: "前背景色" with the colour boxes and the swap button, "色" with the colour
// chart and its readout.
#include "app/MainForm.h"
#include "app/settings/CustomColors.h"
#include "canvas/PxImage.h"
#include "image/Color.h"

#include <QAction>
#include <QColorDialog>

namespace kalvo {

void TKalvoMainForm::createColorActions()
{
    acSelectForegroundColor = makeAction("acSelectForegroundColor", QStringLiteral("前景色の選択(&F)..."), QString(),
                                         QKeySequence(), &TKalvoMainForm::acSelectForegroundColorExecute);
    acSelectBackgroundColor = makeAction("acSelectBackgroundColor", QStringLiteral("背景色の選択(&B)..."), QString(),
                                         QKeySequence(), &TKalvoMainForm::acSelectBackgroundColorExecute);
    acSwapFBColors = makeAction("acSwapFBColors", QStringLiteral("前景色と背景色を交換(&S)"),
                                QStringLiteral("前景色と背景色を交換"), QKeySequence(Qt::Key_F4),
                                &TKalvoMainForm::acSwapFBColorsExecute);
}

void TKalvoMainForm::createColorPanels()
{
}

void TKalvoMainForm::pickColor(bool foreground)
{
    const TColor current = foreground ? pxImage1->ForegroundColor() : pxImage1->BackgroundColor();
    QColorDialog dialog(this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(QColor(GetRValue(current), GetGValue(current), GetBValue(current)));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor c = dialog.selectedColor();
    const TColor chosen = RGB(c.red(), c.green(), c.blue());
    if (foreground)
        pxImage1->SetForegroundColor(chosen);
    else
        pxImage1->SetBackgroundColor(chosen);
}

void TKalvoMainForm::acSelectForegroundColorExecute()
{
    pickColor(true);
}

void TKalvoMainForm::acSelectBackgroundColorExecute()
{
    pickColor(false);
}

void TKalvoMainForm::acSwapFBColorsExecute()
{
    pxImage1->SwapColors();
}

} // namespace kalvo
