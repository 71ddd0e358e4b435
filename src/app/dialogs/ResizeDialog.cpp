#include "app/dialogs/ResizeDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/dialogs/MessageService.h"
#include "app/dialogs/SizeFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>

namespace kalvo {

namespace {

// The value as the field will hold it once corrected: what the linked fields follow.
int limitedValue(const TpxNumericEdit* edit)
{
    return std::clamp(edit->Value(), edit->MinValue(), edit->MaxValue());
}

} // namespace

TKVfrmResize::TKVfrmResize(int width, int height, QWidget* parent)
    : QDialog(parent), FWidth(width), FHeight(height), FSizeFields(this, width, height, kMaxSide, 100, 100, kMaxPercent)
{
    setWindowTitle(QStringLiteral("リサイズ"));
    lblCurrentSize = new QLabel(QStringLiteral("%1 x %2").arg(width).arg(height), this);
    rbSize = FSizeFields.rbSize;
    rbRatio = FSizeFields.rbRatio;
    rbSize->setAutoExclusive(false);
    rbRatio->setAutoExclusive(false);
    edtWidth = FSizeFields.edtWidth;
    edtHeight = FSizeFields.edtHeight;
    edtPercentX = FSizeFields.edtPercentX;
    edtPercentY = FSizeFields.edtPercentY;
    cbKeepAspect = new QCheckBox(QStringLiteral("縦横の比率を保持する(&A)"), this);
    cbResample = new QCheckBox(QStringLiteral("補間処理を行う(&M)"), this);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnHelp = new QPushButton(QStringLiteral("ヘルプ"), this);
    btnOk->setDefault(true);

    auto* current = new QHBoxLayout;
    current->addWidget(new QLabel(QStringLiteral("現在のサイズ："), this));
    current->addWidget(lblCurrentSize);
    current->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(current);
    FSizeFields.AddTo(layout);
    layout->addWidget(cbKeepAspect);
    layout->addWidget(cbResample);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, [] {
        ShowMessageBox(
            QStringLiteral("イメージの大きさを変更します．\r\n"
                           "新しい大きさをピクセル数か現在の大きさに対する比率(％)で指定します．"
                           "「縦横の比率を保持する」をオンにすると一方の値からもう一方が決まります．"
                           "「補間処理を行う」をオンにすると滑らかに拡大縮小します（フルカラーになります）．"),
            MB_OK);
    });
    connect(rbSize, &QRadioButton::clicked, this, [this] { chooseGroup(true); });
    connect(rbRatio, &QRadioButton::clicked, this, [this] { chooseGroup(false); });
    connect(edtWidth, &TpxNumericEdit::Change, this, &TKVfrmResize::widthChanged);
    connect(edtHeight, &TpxNumericEdit::Change, this, &TKVfrmResize::heightChanged);
    connect(edtPercentX, &TpxNumericEdit::Change, this, &TKVfrmResize::percentXChanged);
    connect(edtPercentY, &TpxNumericEdit::Change, this, &TKVfrmResize::percentYChanged);

    rbSize->setChecked(true);
    edtPercentX->setEnabled(false);
    edtPercentY->setEnabled(false);
    edtWidth->setFocus();
}

void TKVfrmResize::chooseGroup(bool bySize)
{
    FSizeFields.Choose(bySize);
}

void TKVfrmResize::updatePercents()
{
    edtPercentX->SetValue(int(std::int64_t(limitedValue(edtWidth)) * 100 / FWidth));
    edtPercentY->SetValue(int(std::int64_t(limitedValue(edtHeight)) * 100 / FHeight));
}

void TKVfrmResize::widthChanged()
{
    if (!edtWidth->hasFocus())
        return;
    if (cbKeepAspect->isChecked())
        edtHeight->SetValue(int(double(FHeight) / FWidth * limitedValue(edtWidth) + 0.5));
    updatePercents();
}

void TKVfrmResize::heightChanged()
{
    if (!edtHeight->hasFocus())
        return;
    if (cbKeepAspect->isChecked())
        edtWidth->SetValue(int(double(FWidth) / FHeight * limitedValue(edtHeight) + 0.5));
    updatePercents();
}

void TKVfrmResize::percentXChanged()
{
    if (!edtPercentX->hasFocus())
        return;
    if (cbKeepAspect->isChecked())
        edtPercentY->SetValue(limitedValue(edtPercentX));
    edtWidth->SetValue(int(std::int64_t(FWidth) * limitedValue(edtPercentX) / 100));
    edtHeight->SetValue(int(std::int64_t(FHeight) * limitedValue(edtPercentY) / 100));
}

void TKVfrmResize::percentYChanged()
{
    if (!edtPercentY->hasFocus())
        return;
    if (cbKeepAspect->isChecked())
        edtPercentX->SetValue(limitedValue(edtPercentY));
    edtWidth->SetValue(int(std::int64_t(FWidth) * limitedValue(edtPercentX) / 100));
    edtHeight->SetValue(int(std::int64_t(FHeight) * limitedValue(edtPercentY) / 100));
}

int TKVfrmResize::NewWidth() const
{
    return std::clamp(edtWidth->Value(), 1, kMaxSide);
}

int TKVfrmResize::NewHeight() const
{
    return std::clamp(edtHeight->Value(), 1, kMaxSide);
}

bool TKVfrmResize::KeepAspect() const
{
    return cbKeepAspect->isChecked();
}

void TKVfrmResize::SetKeepAspect(bool on)
{
    cbKeepAspect->setChecked(on);
}

bool TKVfrmResize::Resample() const
{
    return cbResample->isChecked();
}

void TKVfrmResize::SetResample(bool on)
{
    cbResample->setChecked(on);
}

void TKVfrmResize::accept()
{
    // OK by Enter does not leave the field: bring every typed value into its range first.
    for (TpxNumericEdit* edit : {edtWidth, edtHeight, edtPercentX, edtPercentY})
        edit->SetValue(edit->Value());
    QDialog::accept();
}

} // namespace kalvo
