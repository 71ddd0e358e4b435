#include "app/property/FrameMagicWand.h"

#include "app/controls/NumericEdit.h"
#include "canvas/PxImage.h"

#include <QGridLayout>
#include <QLabel>

namespace kalvo {

TKVFrameMagicWand::TKVFrameMagicWand(TpxImage& canvas, QWidget* parent) : TKVFrameBase(canvas, parent)
{
    FGrid = new QGridLayout(this);
    FGrid->setContentsMargins(6, 6, 6, 6);
    FGrid->setColumnStretch(2, 1);
    FGrid->setRowStretch(8, 1);
    lblTolerance = new QLabel(QStringLiteral("色許容誤差: "), this);
    edtTolerance = MakeNumericEdit(0, 200, QStringLiteral("色許容値 0～200"));
    FGrid->addWidget(lblTolerance, 0, 0);
    FGrid->addWidget(edtTolerance, 0, 1);
    connect(edtTolerance, &TpxNumericEdit::Change, this, [this] { edtToleranceChange(); });
}

QString TKVFrameMagicWand::Caption() const
{
    return QStringLiteral("色域選択");
}

void TKVFrameMagicWand::Load()
{
    edtTolerance->SetValue(Canvas().ToolSettings().MagicWandTolerance);
    edtToleranceChange();
}

void TKVFrameMagicWand::edtToleranceChange()
{
    const int value = edtTolerance->Value();
    ChangeSettings([value](TToolSettings& s) { s.MagicWandTolerance = std::uint8_t(value); });
}

} // namespace kalvo
