#include "app/property/FrameMerge.h"

#include "app/controls/NumericEdit.h"
#include "canvas/PxImage.h"

#include <QGridLayout>
#include <QLabel>

namespace kalvo {

TKVFrameMerge::TKVFrameMerge(TpxImage& canvas, QWidget* parent) : TKVFrameBase(canvas, parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    lblAlphaChannel = new QLabel(QStringLiteral("透明度: "), this);
    edtAlphaChannel = MakeNumericEdit(0, 100, QStringLiteral("透明度 0～100"));
    grid->addWidget(lblAlphaChannel, 0, 0);
    grid->addWidget(edtAlphaChannel, 0, 1);
    connect(edtAlphaChannel, &TpxNumericEdit::Change, this, &TKVFrameMerge::edtAlphaChannelChange);
}

QString TKVFrameMerge::Caption() const
{
    return QStringLiteral("合成");
}

void TKVFrameMerge::Load()
{
    edtAlphaChannel->SetValue(Canvas().ToolSettings().MergeAlphaChannel);
    edtAlphaChannelChange();
}

void TKVFrameMerge::UpdateEnabling(int bits)
{
    edtAlphaChannel->setEnabled(bits > 8);
}

void TKVFrameMerge::edtAlphaChannelChange()
{
    const int value = edtAlphaChannel->Value();
    ChangeSettings([value](TToolSettings& s) { s.MergeAlphaChannel = std::uint8_t(value); });
}

} // namespace kalvo
