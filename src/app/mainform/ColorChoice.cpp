#include "app/mainform/ColorChoice.h"

#include <QColorDialog>

namespace kalvo {

namespace {

TColorChoiceHandler& handlerSlot()
{
    static TColorChoiceHandler handler;
    return handler;
}

} // namespace

bool ChooseColor(QWidget* parent, TColor& colour)
{
    if (handlerSlot())
        return handlerSlot()(colour);
    QColorDialog dialog(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)), parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QColor c = dialog.selectedColor();
    colour = RGB(c.red(), c.green(), c.blue());
    return true;
}

void SetColorChoiceHandler(TColorChoiceHandler handler)
{
    handlerSlot() = std::move(handler);
}

} // namespace kalvo
