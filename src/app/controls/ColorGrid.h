#pragma once
// The colour grid: up to 256 palette entries shown as 16 x 16 cells (entry c + 16 r in column c,
// row r), one of which is selected. The control keeps its size at 16 cells plus one pixel.
#include "image/Color.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <vector>

namespace kalvo {

class TpxColorGrid : public QWidget {
    Q_OBJECT
public:
    struct TEntry {
        std::uint8_t Red = 0;
        std::uint8_t Green = 0;
        std::uint8_t Blue = 0;
        std::uint8_t Flags = 0;
    };

    explicit TpxColorGrid(QWidget* parent = nullptr);

    // Loads up to 256 entries. An empty palette loads the system palette's 256 colours into the
    // entries while PaletteEntries becomes 0. Notifies OnPaletteChanged.
    void SetPalette(const std::vector<TColor>& palette);
    // The palette of the first PaletteEntries entries.
    std::vector<TColor> Palette() const;
    int PaletteEntries() const { return FPaletteEntries; }
    // A count outside 0..256 becomes 256; the entries are reloaded from the system palette.
    void SetPaletteEntries(int count);
    const TEntry& Entry(int index) const { return FEntries[std::size_t(index)]; }

    int SelectColorIndex() const { return FSelectIndex; }
    // Selects index (any value; an index outside the entries selects nothing) and notifies when
    // it changed.
    void SetSelectColorIndex(int index);
    // The selected entry's colour, or -1 when the index is outside the entries.
    TColor SelectColor() const;
    // Writes colour into the selected entry; OnPaletteChanged, OnSelectColorChanged, repaint.
    void SetSelectColor(TColor colour);
    QSize CellSize() const { return {FCellWidth, FCellHeight}; }
    // The index of the cell under a point of the control, or -1.
    int IndexAt(QPoint p) const;

    QSize sizeHint() const override;

signals:
    void OnSelectColorChanged();
    void OnPaletteChanged();
    void OnDblClick();
    void OnResize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void loadSystemPalette();
    void renderBuffer();

    std::array<TEntry, 256> FEntries{};
    int FPaletteEntries = 0;
    int FSelectIndex = -1;
    int FCellWidth = 12;
    int FCellHeight = 12;
    QImage FBuffer;
};

} // namespace kalvo
