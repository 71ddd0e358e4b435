// The colour commands of the main window (foreground and background colour, swap) and the two
// colour tool windows: "前背景色" with the colour boxes and the swap button, "色" with the colour
// chart and its readout.
#include "app/commands/ActionIcons.h"
#include "app/controls/ColorGrid.h"
#include "app/controls/ColorPanels.h"
#include "app/dialogs/ColorPaletteDialog.h"
#include "app/mainform/ColorChoice.h"
#include "app/mainform/MainForm.h"
#include "app/settings/CustomColors.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "image/Color.h"
#include "image/NearestPaletteIndex.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QToolButton>

namespace {

// The chart "KV_BMP_PSP" from the resources; empty if it cannot be read.
kalvo::TBitmap loadColorChart()
{
    kalvo::InitIconResources();
    QFile file(QStringLiteral(":/kalvo/kv_bmp_psp.bmp"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    try {
        return kalvo::ReadBmp(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

namespace kalvo {

void TKalvoMainForm::createColorPanels()
{
    ColorBoxes = new TColorBoxesPanel;
    ColorBoxes->SwapButton->setDefaultAction(Action("acSwapFBColors"));
    ColorBoxes->SwapButton->setToolTip(QStringLiteral("前景色と背景色を交換"));
    connect(ColorBoxes->pxPaintBoxFG, &TColorBox::Clicked, Action("acSelectForegroundColor"), &QAction::trigger);
    connect(ColorBoxes->pxPaintBoxBG, &TColorBox::Clicked, Action("acSelectBackgroundColor"), &QAction::trigger);
    auto showColors = [this] {
        ColorBoxes->pxPaintBoxFG->SetColor(pxImage1->DisplayForegroundColor());
        ColorBoxes->pxPaintBoxBG->SetColor(pxImage1->DisplayBackgroundColor());
    };
    connect(pxImage1, &TpxImage::OnChangeColors, this, showColors);
    showColors();

    ColorChart = new TColorChartPanel(loadColorChart());
    ColorChart->PickerActive = [this] { return pxImage1->MouseMode() == mmSpoit; };
    ColorChart->MapChartColor = [this](TColor pixel) {
        return ChartReadoutColor(pixel, pxImage1->BitCount(), pxImage1->ImagePalette());
    };
    connect(ColorChart, &TColorChartPanel::ColorPicked, this, [this](Qt::MouseButton button, TColor color) {
        if (button == Qt::LeftButton)
            pxImage1->SetForegroundColor(color);
        else
            pxImage1->SetBackgroundColor(color);
    });
    // The picker mode shows the image pixel under the pointer; outside the image, nothing.
    connect(pxImage1, &TpxImage::OnMouseMove, this, [this](Qt::KeyboardModifiers, int x, int y) {
        if (pxImage1->MouseMode() != mmSpoit)
            return;
        const QPoint p = pxImage1->ScreenToImage(QPoint(x, y));
        const TBitmap& image = pxImage1->Bitmap();
        if (pxImage1->HasImage() && p.x() >= 0 && p.y() >= 0 && p.x() < image.width() && p.y() < image.height())
            ColorChart->SetReadout(int(image.pixelColor(p.x(), p.y()) & 0xFFFFFF));
        else
            ColorChart->SetReadout(kNoReadout);
    });
    connect(pxImage1, &TpxImage::OnMouseLeave, this, [this] {
        if (!ColorChart->pxPaintBox1->MouseInside())
            ColorChart->SetReadout(kNoReadout);
    });
    connect(pxImage1, &TpxImage::OnMouseModeChange, this, [this] { ColorChart->SetReadout(kNoReadout); });
    connect(pxImage1, &TpxImage::OnSpoitSelect, this, [this](Qt::MouseButton button, TColor color) {
        if (button == Qt::LeftButton)
            pxImage1->SetForegroundColor(color);
        else if (button == Qt::RightButton)
            pxImage1->SetBackgroundColor(color);
    });

    const std::pair<QDockWidget * TKalvoMainForm::*, std::pair<const char*, const char*>> docks[] = {
        {&TKalvoMainForm::TBColorWindow, {"TBColorWindow", "前背景色"}},
        {&TKalvoMainForm::TBToolWindow1, {"TBToolWindow1", "色"}},
    };
    QWidget* contents[] = {ColorBoxes, ColorChart};
    for (int i = 0; i < 2; ++i) {
        auto* dock = new QDockWidget(QString::fromUtf8(docks[i].second.second), this);
        dock->setObjectName(QLatin1String(docks[i].second.first));
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                          | QDockWidget::DockWidgetFloatable);
        dock->setWidget(contents[i]);
        addDockWidget(Qt::RightDockWidgetArea, dock);
        this->*docks[i].first = dock;
    }
}

// Palette images choose among their palette entries: the entry nearest the current colour is
// preselected and a double click acts as OK.
bool TKalvoMainForm::choosePaletteColor(TColor& colour)
{
    const std::vector<TColor> palette = pxImage1->ImagePalette();
    if (palette.empty())
        return ChooseColor(this, colour);
    TKVfrmColorPalette dialog(this);
    dialog.SetDoubleClickAccepts(true);
    dialog.ColorGrid->SetPalette(palette);
    dialog.ColorGrid->SetSelectColorIndex(NearestPaletteIndex(palette, colour));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int index = dialog.ColorGrid->SelectColorIndex();
    if (index < 0 || index >= int(palette.size()))
        return false;
    colour = palette[std::size_t(index)];
    return true;
}

void TKalvoMainForm::pickColor(bool foreground)
{
    TColor colour = foreground ? pxImage1->ForegroundColor() : pxImage1->BackgroundColor();
    const int bits = pxImage1->BitCount();
    if (bits >= 1 && bits <= 8) {
        if (choosePaletteColor(colour)) {
            if (foreground)
                pxImage1->SetForegroundColor(colour);
            else
                pxImage1->SetBackgroundColor(colour);
        }
        return;
    }
    const bool chosen = ChooseColor(this, colour);
    // The custom colours are kept whether or not a colour was chosen.
    FSettings.CustomColors = CustomColorsFromDialog();
    if (!chosen)
        return;
    if (foreground)
        pxImage1->SetForegroundColor(colour);
    else
        pxImage1->SetBackgroundColor(colour);
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
