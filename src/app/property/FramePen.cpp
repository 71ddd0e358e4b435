#include "app/property/FramePen.h"

#include "app/controls/NumericEdit.h"
#include "canvas/PxImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace kalvo {

TKVFramePen::TKVFramePen(TpxImage& canvas, std::function<TMouseMode()> penMode,
                         std::function<void(TMouseMode)> setPenMode, QWidget* parent)
    : TKVFrameBase(canvas, parent), FPenMode(std::move(penMode)), FSetPenMode(std::move(setPenMode))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    Label2 = new QLabel(QStringLiteral("線の種類:"), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItems({QStringLiteral("フリーハンド"), QStringLiteral("直線")});
    CheckBox1 = new QCheckBox(QStringLiteral("アンチエイリアス"), this);
    lblAlphaChannel = new QLabel(QStringLiteral("透明度: "), this);
    edtAlphaChannel = MakeNumericEdit(0, 100, QStringLiteral("透明度 0～100"));
    grid->addWidget(Label2, 0, 0, 1, 3);
    grid->addWidget(ComboBox1, 1, 0, 1, 3);
    grid->addWidget(CheckBox1, 2, 0, 1, 3);
    grid->addWidget(lblAlphaChannel, 3, 0);
    grid->addWidget(edtAlphaChannel, 3, 1);
    connect(CheckBox1, &QCheckBox::clicked, this, &TKVFramePen::CheckBox1Click);
    connect(ComboBox1, &QComboBox::activated, this, &TKVFramePen::ComboBox1Change);
    connect(edtAlphaChannel, &TpxNumericEdit::Change, this, &TKVFramePen::edtAlphaChannelChange);
}

QString TKVFramePen::Caption() const
{
    return QStringLiteral("ペン");
}

void TKVFramePen::Load()
{
    const TToolSettings& s = Canvas().ToolSettings();
    const int alpha = s.PenAlphaChannel;
    CheckBox1->setChecked(s.PenAntiAlias);
    {
        // Showing the pen mode is no choice of the user's: the canvas's mode stays.
        const QSignalBlocker block(ComboBox1);
        ComboBox1->setCurrentIndex(FPenMode() == mmPenLine ? 1 : 0);
    }
    edtAlphaChannel->SetValue(alpha);
    edtAlphaChannelChange();
}

void TKVFramePen::UpdateEnabling(int bits)
{
    CheckBox1->setEnabled(bits > 8);
    edtAlphaChannel->setEnabled(CheckBox1->isEnabled());
    lblAlphaChannel->setEnabled(CheckBox1->isEnabled());
}

void TKVFramePen::CheckBox1Click()
{
    const bool on = CheckBox1->isChecked();
    ChangeSettings([on](TToolSettings& s) { s.PenAntiAlias = on; });
}

void TKVFramePen::ComboBox1Change()
{
    Canvas().SetMouseMode(ComboBox1->currentIndex() == 1 ? mmPenLine : mmPenFreehand);
    FSetPenMode(Canvas().MouseMode());
}

void TKVFramePen::edtAlphaChannelChange()
{
    const int value = edtAlphaChannel->Value();
    ChangeSettings([value](TToolSettings& s) { s.PenAlphaChannel = value; });
}

} // namespace kalvo
