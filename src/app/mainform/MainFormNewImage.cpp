// The New image command: a blank 24-bit image of the chosen size and canvas colour.
#include "app/controls/NumericEdit.h"
#include "app/dialogs/NewImageDialog.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"

#include <QComboBox>

#include <optional>

namespace kalvo {

namespace {

// The canvas colour of a colour-list index: 0 foreground, 1 background, then white, black, red,
// green, blue, yellow and grey.
std::optional<TColor> canvasColor(int index, TColor foreground, TColor background)
{
    static constexpr TColor kFixed[] = {0xFFFFFF, 0x000000, 0x0000FF, 0x008000, 0xFF0000, 0x00FFFF, 0x808080};
    if (index == 0)
        return foreground;
    if (index == 1)
        return background;
    if (index >= 2 && index < 2 + int(std::size(kFixed)))
        return kFixed[index - 2];
    return std::nullopt;
}

} // namespace

void TKalvoMainForm::acNewImageExecute()
{
    TKVfrmNewImage dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CancelPendingFloat();
    if (!ConfirmSave())
        return;
    const auto color = canvasColor(dialog.ComboBox1->currentIndex(), pxImage1->ForegroundColor(),
                                   pxImage1->BackgroundColor());
    if (!color)
        return;
    const int width = dialog.pxNumericEdit1->Value();
    const int height = dialog.pxNumericEdit2->Value();
    TBitmap bitmap(width, height, 24);
    bitmap.fill(*color);
    TpxImageInfo info = FileInfo();
    info.FileName.clear();
    info.Metadata.clear(); // a new picture is no photo's
    info.Width = width;
    info.Height = height;
    startDocument(std::move(bitmap), info, true);
}

} // namespace kalvo
