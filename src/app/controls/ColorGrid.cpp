#include "app/controls/ColorGrid.h"

#include "image/Bitmap.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kalvo {

TpxColorGrid::TpxColorGrid(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    loadSystemPalette();
    resize(sizeHint());
}

QSize TpxColorGrid::sizeHint() const
{
    return {16 * FCellWidth + 1, 16 * FCellHeight + 1};
}

void TpxColorGrid::loadSystemPalette()
{
    // The system palette: the default palette of an 8-bit bitmap.
    const std::vector<TColor> system = TBitmap(1, 1, 8).palette();
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
        const TColor c = i < system.size() ? system[i] : clBlack;
        FEntries[i] = {std::uint8_t(GetRValue(c)), std::uint8_t(GetGValue(c)), std::uint8_t(GetBValue(c)), 0};
    }
}

void TpxColorGrid::SetPalette(const std::vector<TColor>& palette)
{
    if (palette.empty()) {
        loadSystemPalette();
        FPaletteEntries = 0;
    } else {
        FPaletteEntries = int(std::min<std::size_t>(palette.size(), 256));
        for (int i = 0; i < FPaletteEntries; ++i) {
            const TColor c = palette[std::size_t(i)];
            FEntries[std::size_t(i)] = {std::uint8_t(GetRValue(c)), std::uint8_t(GetGValue(c)),
                                        std::uint8_t(GetBValue(c)), 0};
        }
    }
    update();
    emit OnPaletteChanged();
}

std::vector<TColor> TpxColorGrid::Palette() const
{
    std::vector<TColor> palette;
    for (int i = 0; i < FPaletteEntries; ++i) {
        const TEntry& e = FEntries[std::size_t(i)];
        palette.push_back(RGB(e.Red, e.Green, e.Blue));
    }
    return palette;
}

void TpxColorGrid::SetPaletteEntries(int count)
{
    FPaletteEntries = count < 0 || count > 256 ? 256 : count;
    loadSystemPalette();
    update();
    emit OnPaletteChanged();
}

void TpxColorGrid::SetSelectColorIndex(int index)
{
    if (index == FSelectIndex)
        return;
    FSelectIndex = index;
    update();
    emit OnSelectColorChanged();
}

TColor TpxColorGrid::SelectColor() const
{
    if (FSelectIndex < 0 || FSelectIndex >= FPaletteEntries)
        return TColor(-1);
    const TEntry& e = FEntries[std::size_t(FSelectIndex)];
    return RGB(e.Red, e.Green, e.Blue);
}

void TpxColorGrid::SetSelectColor(TColor colour)
{
    if (FSelectIndex < 0 || FSelectIndex >= 256)
        return;
    FEntries[std::size_t(FSelectIndex)] = {std::uint8_t(GetRValue(colour)), std::uint8_t(GetGValue(colour)),
                                           std::uint8_t(GetBValue(colour)), 0};
    emit OnPaletteChanged();
    emit OnSelectColorChanged();
    update();
}

int TpxColorGrid::IndexAt(QPoint p) const
{
    if (p.x() < 0 || p.y() < 0 || FCellWidth <= 0 || FCellHeight <= 0)
        return -1;
    const int column = p.x() / FCellWidth;
    const int row = p.y() / FCellHeight;
    if (column >= 16 || row >= 16)
        return -1;
    return column + 16 * row;
}

void TpxColorGrid::renderBuffer()
{
    FBuffer = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&FBuffer);
    painter.fillRect(FBuffer.rect(), palette().color(QPalette::Window));
    for (int i = 0; i < FPaletteEntries; ++i) {
        const TEntry& e = FEntries[std::size_t(i)];
        const QRect cell((i % 16) * FCellWidth, (i / 16) * FCellHeight, FCellWidth, FCellHeight);
        const QRect inner = cell.adjusted(1, 1, -1, -1);
        painter.fillRect(inner, QColor(e.Red, e.Green, e.Blue));
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
    }
    if (FSelectIndex >= 0 && FSelectIndex < FPaletteEntries) {
        const QRect cell((FSelectIndex % 16) * FCellWidth, (FSelectIndex / 16) * FCellHeight, FCellWidth, FCellHeight);
        painter.setPen(Qt::red);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell);
    }
}

void TpxColorGrid::paintEvent(QPaintEvent*)
{
    renderBuffer();
    QPainter painter(this);
    painter.drawImage(0, 0, FBuffer);
}

void TpxColorGrid::resizeEvent(QResizeEvent*)
{
    FCellWidth = std::max(1, width() / 16);
    FCellHeight = std::max(1, height() / 16);
    const QSize snapped(16 * FCellWidth + 1, 16 * FCellHeight + 1);
    if (size() != snapped)
        resize(snapped);
    emit OnResize();
}

void TpxColorGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int index = IndexAt(event->position().toPoint());
    if (index >= 0 && index < FPaletteEntries)
        SetSelectColorIndex(index);
}

void TpxColorGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int index = IndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0 && index < FPaletteEntries)
        emit OnDblClick();
}

} // namespace kalvo
