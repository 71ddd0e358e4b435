#include "app/controls/ColorPanels.h"

#include "canvas/DisplayColors.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvo {

namespace {

QColor toQColor(TColor c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A rectangle over the whole box with a black one-pixel frame, filled with fill.
void paintFramed(QPainter& painter, const QRect& box, const QColor& fill)
{
    painter.fillRect(box, fill);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

constexpr int kChartWidth = 45;
constexpr int kChartHeight = 96;

} // namespace

TColorBox::TColorBox(QWidget* parent) : TpxPaintBox(parent)
{
    setFixedSize(24, 24);
    setCursor(Qt::PointingHandCursor);
    connect(this, &TpxPaintBox::OnPaint, this, [this](QPainter& p) { paintFramed(p, rect(), toQColor(FColor)); });
}

void TColorBox::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TColorBox::mouseReleaseEvent(QMouseEvent* event)
{
    TpxPaintBox::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}

TColorBoxesPanel::TColorBoxesPanel(QWidget* parent) : QWidget(parent)
{
    pxPaintBoxFG = new TColorBox(this);
    pxPaintBoxFG->setObjectName(QStringLiteral("pxPaintBoxFG"));
    pxPaintBoxFG->setToolTip(QStringLiteral("前景色"));
    pxPaintBoxFG->setStatusTip(QStringLiteral("前景色の選択"));
    pxPaintBoxBG = new TColorBox(this);
    pxPaintBoxBG->setObjectName(QStringLiteral("pxPaintBoxBG"));
    pxPaintBoxBG->setToolTip(QStringLiteral("背景色"));
    pxPaintBoxBG->setStatusTip(QStringLiteral("背景色の選択"));
    SwapButton = new QToolButton(this);
    SwapButton->setObjectName(QStringLiteral("SwapButton"));
    SwapButton->setAutoRaise(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(pxPaintBoxFG);
    layout->addWidget(pxPaintBoxBG);
    layout->addWidget(SwapButton);
    layout->addStretch(1);
    // The boxes take their own height in the dock; the chart window below takes the rest.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

TColorChartBox::TColorChartBox(const TBitmap& chart, QWidget* parent) : TpxPaintBox(parent), FChart(chart)
{
    setFixedSize(kChartWidth, kChartHeight);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    if (!FChart.empty()) {
        FChartImage = QImage(FChart.width(), FChart.height(), QImage::Format_RGB32);
        for (int y = 0; y < FChart.height(); ++y)
            for (int x = 0; x < FChart.width(); ++x)
                FChartImage.setPixel(x, y, toQColor(FChart.pixelColor(x, y)).rgb());
    }
    connect(this, &TpxPaintBox::OnPaint, this, [this](QPainter& p) {
        p.fillRect(rect(), palette().window());
        p.drawImage(0, 0, FChartImage);
    });
}

int TColorChartBox::ChartPixel(QPoint p) const
{
    if (FChart.empty() || p.x() < 0 || p.y() < 0 || p.x() >= FChart.width() || p.y() >= FChart.height())
        return kNoReadout;
    return int(FChart.pixelColor(p.x(), p.y()) & 0xFFFFFF);
}

void TColorChartBox::mouseMoveEvent(QMouseEvent* event)
{
    TpxPaintBox::mouseMoveEvent(event);
    emit MouseMoved(event->position().toPoint());
}

void TColorChartBox::mousePressEvent(QMouseEvent* event)
{
    TpxPaintBox::mousePressEvent(event);
    emit MousePressed(event->button(), event->position().toPoint());
}

TColor ChartReadoutColor(TColor chartPixel, int bitCount, const std::vector<TColor>& palette)
{
    if (bitCount > 8 || palette.empty())
        return chartPixel;
    return NearestPaletteColor(palette, chartPixel);
}

TColorChartPanel::TColorChartPanel(const TBitmap& chart, QWidget* parent) : QWidget(parent)
{
    pxPaintBox1 = new TColorChartBox(chart, this);
    pxPaintBox1->setObjectName(QStringLiteral("pxPaintBox1"));
    pxPaintBox1->setStatusTip(QStringLiteral("左ボタンで前景色、右ボタンで背景色を選びます"));
    pxPaintBox2 = new TpxPaintBox(this);
    pxPaintBox2->setObjectName(QStringLiteral("pxPaintBox2"));
    pxPaintBox2->setFixedSize(kChartWidth, 20);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QLabel** labels[] = {&lblR, &lblG, &lblB};
    const char* names[] = {"lblR", "lblG", "lblB"};
    for (int i = 0; i < 3; ++i) {
        *labels[i] = new QLabel(this);
        (*labels[i])->setObjectName(QLatin1String(names[i]));
        (*labels[i])->setFont(fixed);
    }
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(2);
    layout->addWidget(pxPaintBox1, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(pxPaintBox2, 0, 1, Qt::AlignTop);
    layout->addWidget(lblR, 1, 1);
    layout->addWidget(lblG, 2, 1);
    layout->addWidget(lblB, 3, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(4, 1);

    connect(pxPaintBox2, &TpxPaintBox::OnPaint, this, [this](QPainter& p) { paintReadout(p); });
    connect(pxPaintBox1, &TColorChartBox::MouseMoved, this, [this](QPoint p) {
        FOverChart = true;
        const int pixel = pxPaintBox1->ChartPixel(p);
        if (pixel == kNoReadout)
            SetReadout(kNoReadout);
        else
            SetReadout(int((MapChartColor ? MapChartColor(TColor(pixel)) : TColor(pixel)) & 0xFFFFFF));
    });
    connect(pxPaintBox1, &TpxPaintBox::OnMouseEnter, this, [this] { SetReadout(FReadout); });
    connect(pxPaintBox1, &TpxPaintBox::OnMouseLeave, this, [this] {
        FOverChart = false;
        SetReadout(kNoReadout);
    });
    connect(pxPaintBox1, &TColorChartBox::MousePressed, this, [this](Qt::MouseButton button, QPoint p) {
        // The press picks what the readout shows for that point.
        const int pixel = pxPaintBox1->ChartPixel(p);
        if (pixel == kNoReadout)
            return;
        const TColor color = MapChartColor ? MapChartColor(TColor(pixel)) : TColor(pixel);
        SetReadout(int(color & 0xFFFFFF));
        emit ColorPicked(button, color);
    });
    updateLabels();
}

bool TColorChartPanel::ReadoutShown() const
{
    return FReadout != kNoReadout && (FOverChart || pxPaintBox1->MouseInside() || (PickerActive && PickerActive()));
}

void TColorChartPanel::SetReadout(int value)
{
    FReadout = value;
    updateLabels();
    pxPaintBox2->update();
}

void TColorChartPanel::updateLabels()
{
    if (ReadoutShown()) {
        const TColor c = TColor(FReadout);
        lblR->setText(QString::asprintf("R:%3d", GetRValue(c)));
        lblG->setText(QString::asprintf("G:%3d", GetGValue(c)));
        lblB->setText(QString::asprintf("B:%3d", GetBValue(c)));
    } else {
        lblR->setText(QStringLiteral("R:"));
        lblG->setText(QStringLiteral("G:"));
        lblB->setText(QStringLiteral("B:"));
    }
}

void TColorChartPanel::paintReadout(QPainter& painter)
{
    const QRect box = pxPaintBox2->rect();
    if (ReadoutShown()) {
        paintFramed(painter, box, toQColor(TColor(FReadout)));
        return;
    }
    paintFramed(painter, box, palette().button().color());
    painter.setPen(Qt::black);
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
}

} // namespace kalvo
