#include "app/property/FramePaint.h"

#include "app/controls/NumericEdit.h"
#include "canvas/PxImage.h"

#include <QGridLayout>
#include <QLabel>

namespace kalvo {

TKVFramePaint::TKVFramePaint(TpxImage& canvas, QWidget* parent) : TKVFrameMagicWand(canvas, parent)
{
    lblAlphaChannel = new QLabel(QStringLiteral("透明度: "), this);
    edtAlphaChannel = MakeNumericEdit(0, 100, QStringLiteral("透明度 0～100"));
    Grid()->addWidget(lblAlphaChannel, 1, 0);
    Grid()->addWidget(edtAlphaChannel, 1, 1);
    connect(edtAlphaChannel, &TpxNumericEdit::Change, this, &TKVFramePaint::edtAlphaChannelChange);
}

QString TKVFramePaint::Caption() const
{
    return QStringLiteral("ペイント");
}

void TKVFramePaint::Load()
{
    const TToolSettings& s = Canvas().ToolSettings();
    const int alpha = s.PaintAlphaChannel;
    edtTolerance->SetValue(s.PaintTolerance);
    edtAlphaChannel->SetValue(alpha);
    edtToleranceChange();
    edtAlphaChannelChange();
}

void TKVFramePaint::UpdateEnabling(int bits)
{
    lblAlphaChannel->setEnabled(bits > 8);
    edtAlphaChannel->setEnabled(bits > 8);
}

void TKVFramePaint::edtToleranceChange()
{
    // The fill's tolerance is the magic wand's too.
    TKVFrameMagicWand::edtToleranceChange();
    const int value = edtTolerance->Value();
    ChangeSettings([value](TToolSettings& s) { s.PaintTolerance = std::uint8_t(value); });
}

void TKVFramePaint::edtAlphaChannelChange()
{
    const int value = edtAlphaChannel->Value();
    ChangeSettings([value](TToolSettings& s) { s.PaintAlphaChannel = std::uint8_t(value); });
}

} // namespace kalvo
