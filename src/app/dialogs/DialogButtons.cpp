#include "app/dialogs/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace kalvo {

QHBoxLayout* MakeOkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(QStringLiteral("OK"), dialog);
    cancel = new QPushButton(QStringLiteral("キャンセル"), dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace kalvo
