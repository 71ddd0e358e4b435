#include "app/dialogs/RotateAngleDialog.h"

#include "app/settings/Settings.h"
#include "imaging/geometry/RotateByAngle.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace kalvo {

namespace {

const QString kSection = QStringLiteral("RotateAngle");

} // namespace

TKVfrmRotateAngle::TKVfrmRotateAngle(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("角度を指定して回転"));
    edtAngle = new QDoubleSpinBox(this);
    edtAngle->setDecimals(1);
    edtAngle->setRange(kMinRotationTenths / 10.0, kMaxRotationTenths / 10.0);
    edtAngle->setSingleStep(1.0);
    SetAngleTenths(ReadIniInteger(kSection, QStringLiteral("Tenths"), 0));
    auto* label = new QLabel(QStringLiteral("角度(&A)："), this);
    label->setBuddy(edtAngle);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnOk->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edtAngle);
    row->addWidget(new QLabel(QStringLiteral("度（正の値で右回り）"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(
        new QLabel(QStringLiteral("キャンバスは回転した画像が収まる大きさに広がり，隅は背景色になります．"), this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    edtAngle->setFocus();
    edtAngle->selectAll();
}

int TKVfrmRotateAngle::AngleTenths() const
{
    return int(std::lround(edtAngle->value() * 10));
}

void TKVfrmRotateAngle::SetAngleTenths(int tenths)
{
    edtAngle->setValue(tenths / 10.0);
}

void TKVfrmRotateAngle::accept()
{
    WriteIniInteger(kSection, QStringLiteral("Tenths"), AngleTenths());
    QDialog::accept();
}

} // namespace kalvo
