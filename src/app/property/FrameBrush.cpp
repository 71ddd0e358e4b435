#include "app/property/FrameBrush.h"

#include "app/controls/NumericEdit.h"
#include "app/controls/PaintBox.h"
#include "app/dialogs/MessageService.h"
#include "canvas/PxImage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <new>

namespace kalvo {

TKVFrameBrush::TKVFrameBrush(TpxImage& canvas, QWidget* parent) : TKVFrameBase(canvas, parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    Label1 = new QLabel(QStringLiteral("ﾌﾞﾗｼの大きさ:"), this);
    edtBrushSize = MakeNumericEdit(1, 100, QString());
    lblBrushStep = new QLabel(QStringLiteral("ｽﾃｯﾌﾟ: "), this);
    edtBrushStep = MakeNumericEdit(0, 200, QStringLiteral("ステップ 1～200"));
    Label2 = new QLabel(QStringLiteral("ﾌﾞﾗｼの硬さ:"), this);
    edtBrushHardness = MakeNumericEdit(0, 100, QString());
    pxPaintBox1 = new TpxPaintBox(this);
    pxPaintBox1->setFixedSize(50, 50);
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItems({QStringLiteral("円形"), QStringLiteral("矩形"), QStringLiteral("左斜線"),
                         QStringLiteral("右斜線"), QStringLiteral("水平線"), QStringLiteral("垂直線")});
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(edtBrushSize, 0, 1);
    grid->addWidget(lblBrushStep, 1, 0);
    grid->addWidget(edtBrushStep, 1, 1);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(edtBrushHardness, 2, 1);
    grid->addWidget(pxPaintBox1, 3, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(ComboBox1, 4, 0, 1, 3);
    connect(edtBrushSize, &TpxNumericEdit::Change, this, &TKVFrameBrush::edtBrushSizeChange);
    connect(edtBrushHardness, &TpxNumericEdit::Change, this, &TKVFrameBrush::edtBrushHardnessChange);
    connect(edtBrushStep, &TpxNumericEdit::Change, this, &TKVFrameBrush::edtBrushStepChange);
    connect(ComboBox1, &QComboBox::activated, this, &TKVFrameBrush::ComboBox1Change);
    connect(pxPaintBox1, &TpxPaintBox::OnPaint, this,
            [this](QPainter& painter) { painter.drawImage(0, 0, PreviewImage()); });
}

TKVFrameBrush::~TKVFrameBrush()
{
    FreeBrush(FBrush);
}

QString TKVFrameBrush::Caption() const
{
    return QStringLiteral("ブラシ");
}

void TKVFrameBrush::Load()
{
    // Read all values first: every handler below writes the canvas's settings.
    const TToolSettings s = Canvas().ToolSettings();
    edtBrushSize->SetValue(s.BrushSize);
    edtBrushStep->SetValue(s.BrushStep);
    edtBrushHardness->SetValue(s.BrushHardness);
    ComboBox1->setCurrentIndex(int(s.BrushStyle));
    edtBrushSizeChange();
    edtBrushStepChange();
    edtBrushHardnessChange();
}

void TKVFrameBrush::UpdateEnabling(int bits)
{
    Label2->setEnabled(bits > 8);
    edtBrushHardness->setEnabled(bits > 8);
    RefreshBrushPreview();
}

void TKVFrameBrush::RefreshBrushPreview()
{
    const TToolSettings& s = Canvas().ToolSettings();
    const int hardness = Canvas().BitCount() <= 8 ? 100 : edtBrushHardness->Value();
    try {
        BuildBrush(FBrush, s.BrushSize, hardness, s.BrushStyle);
    } catch (const std::bad_alloc& e) {
        // The preview keeps the tip it showed; the setting itself has changed.
        ShowFailure(e);
        return;
    }
    pxPaintBox1->update();
}

QImage TKVFrameBrush::PreviewImage() const
{
    QImage image(pxPaintBox1->width(), pxPaintBox1->height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int size = FBrush.Size;
    const int x0 = (image.width() - size) / 2, y0 = (image.height() - size) / 2;
    for (int y = std::max(0, y0); y < std::min(image.height(), y0 + size); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint8_t* weights = FBrush.Mask[y - y0];
        for (int x = std::max(0, x0); x < std::min(image.width(), x0 + size); ++x) {
            const int g = 255 - weights[x - x0];
            row[x] = qRgb(g, g, g);
        }
    }
    return image;
}

void TKVFrameBrush::edtBrushSizeChange()
{
    const int value = edtBrushSize->Value();
    ChangeSettings([value](TToolSettings& s) { s.BrushSize = value; });
    RefreshBrushPreview();
}

void TKVFrameBrush::edtBrushHardnessChange()
{
    const int value = edtBrushHardness->Value();
    ChangeSettings([value](TToolSettings& s) { s.BrushHardness = value; });
    RefreshBrushPreview();
}

void TKVFrameBrush::edtBrushStepChange()
{
    const int value = edtBrushStep->Value();
    ChangeSettings([value](TToolSettings& s) { s.BrushStep = value; });
}

void TKVFrameBrush::ComboBox1Change()
{
    const int index = ComboBox1->currentIndex();
    ChangeSettings([index](TToolSettings& s) { s.BrushStyle = TpxBrushStyle(index); });
    RefreshBrushPreview();
}

} // namespace kalvo
