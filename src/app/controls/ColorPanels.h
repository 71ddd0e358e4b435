#pragma once
// The colour tool windows' contents: the foreground and background colour boxes with the swap
// button ("前背景色"), and the colour chart with the colour readout and its R, G, B labels ("色").
#include "app/controls/PaintBox.h"
#include "image/Bitmap.h"
#include "image/Color.h"

#include <functional>

class QLabel;
class QToolButton;

namespace kalvo {

// No readout colour.
constexpr int kNoReadout = -1;

// A colour box: a black one-pixel frame filled with its colour; a click raises Clicked.
class TColorBox : public TpxPaintBox {
    Q_OBJECT
public:
    explicit TColorBox(QWidget* parent = nullptr);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TColor FColor = 0;
};

class TColorBoxesPanel : public QWidget {
    Q_OBJECT
public:
    explicit TColorBoxesPanel(QWidget* parent = nullptr);
    TColorBox* pxPaintBoxFG = nullptr;
    TColorBox* pxPaintBoxBG = nullptr;
    QToolButton* SwapButton = nullptr;
};

// The colour chart box: paints the chart at its top-left corner and reports the pointer.
class TColorChartBox : public TpxPaintBox {
    Q_OBJECT
public:
    explicit TColorChartBox(const TBitmap& chart, QWidget* parent = nullptr);
    const TBitmap& Chart() const { return FChart; }
    // The chart pixel at p; kNoReadout outside the chart.
    int ChartPixel(QPoint p) const;

signals:
    void MouseMoved(QPoint p);
    void MousePressed(Qt::MouseButton button, QPoint p);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TBitmap FChart;
    QImage FChartImage;
};

// The colour that moving over the chart shows: the chart pixel on images of more than 8 bits
// and on images without a palette, else the nearest entry of the image's palette.
TColor ChartReadoutColor(TColor chartPixel, int bitCount, const std::vector<TColor>& palette);

class TColorChartPanel : public QWidget {
    Q_OBJECT
public:
    TColorChartPanel(const TBitmap& chart, QWidget* parent = nullptr);

    TColorChartBox* pxPaintBox1 = nullptr;
    TpxPaintBox* pxPaintBox2 = nullptr;
    QLabel* lblR = nullptr;
    QLabel* lblG = nullptr;
    QLabel* lblB = nullptr;

    // The readout colour (a colour value or kNoReadout) and the repaint of the readout.
    int Readout() const { return FReadout; }
    void SetReadout(int value);
    // Whether the readout shows its colour: the pointer is over the chart, or picking is on.
    bool ReadoutShown() const;
    // True while the canvas is in picker mode.
    std::function<bool()> PickerActive;
    // Maps a chart pixel to the readout colour (the nearest palette colour and so on).
    std::function<TColor(TColor)> MapChartColor;

signals:
    // The left button picked a foreground colour, any other a background colour.
    void ColorPicked(Qt::MouseButton button, kalvo::TColor color);

private:
    void paintReadout(QPainter& painter);
    void updateLabels();

    int FReadout = kNoReadout;
    // A move over the chart means the pointer is on it, even when its enter event was lost.
    bool FOverChart = false;
};

} // namespace kalvo
