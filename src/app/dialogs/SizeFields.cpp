#include "app/dialogs/SizeFields.h"

#include "app/controls/NumericEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kalvo {

namespace {

TpxNumericEdit* makeField(QWidget* parent, int maximum, int value)
{
    auto* edit = new TpxNumericEdit(parent);
    edit->SetRange(1, maximum);
    edit->SetValue(value);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return edit;
}

// One "横： [a] × 縦： [b] unit" row.
QHBoxLayout* fieldRow(QWidget* parent, TpxNumericEdit* first, TpxNumericEdit* second, const QString& unit)
{
    auto* row = new QHBoxLayout;
    row->addSpacing(20);
    row->addWidget(new QLabel(QStringLiteral("横："), parent));
    row->addWidget(first);
    row->addWidget(new QLabel(QStringLiteral("× 縦："), parent));
    row->addWidget(second);
    row->addWidget(new QLabel(unit, parent));
    row->addStretch();
    return row;
}

} // namespace

TSizeFields::TSizeFields(QWidget* parent, int width, int height, int maxSide, int percentX, int percentY,
                         int maxPercent)
    : rbSize(new QRadioButton(QStringLiteral("サイズで指定する(&S)"), parent)),
      rbRatio(new QRadioButton(QStringLiteral("比率で指定する(&R)"), parent)),
      edtWidth(makeField(parent, maxSide, width)),
      edtHeight(makeField(parent, maxSide, height)),
      edtPercentX(makeField(parent, maxPercent, percentX)),
      edtPercentY(makeField(parent, maxPercent, percentY)),
      FParent(parent)
{
}

void TSizeFields::AddTo(QVBoxLayout* layout) const
{
    layout->addWidget(rbSize);
    layout->addLayout(fieldRow(FParent, edtWidth, edtHeight, QStringLiteral("ピクセル")));
    layout->addWidget(rbRatio);
    layout->addLayout(fieldRow(FParent, edtPercentX, edtPercentY, QStringLiteral("％")));
}

void TSizeFields::Choose(bool bySize) const
{
    rbSize->setChecked(bySize);
    rbRatio->setChecked(!bySize);
    edtWidth->setEnabled(bySize);
    edtHeight->setEnabled(bySize);
    edtPercentX->setEnabled(!bySize);
    edtPercentY->setEnabled(!bySize);
    (bySize ? edtWidth : edtPercentX)->setFocus();
}

} // namespace kalvo
