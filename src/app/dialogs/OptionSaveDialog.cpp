#include "app/dialogs/OptionSaveDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvo {

TOptionSaveDialog::TOptionSaveDialog(QWidget* parent, const QString& caption) : QFileDialog(parent, caption)
{
    setObjectName(QStringLiteral("OptionSaveDialog1"));
    setOption(QFileDialog::DontUseNativeDialog);
    // The descriptions name their extensions already.
    setOption(QFileDialog::HideNameFilterDetails);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);

    BasePanel = new QWidget(this);
    BasePanel->setObjectName(QStringLiteral("BasePanel"));
    auto* panelLayout = new QVBoxLayout(BasePanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    OptionButton1 = new QPushButton(QStringLiteral("設定(&O)..."), BasePanel);
    OptionButton1->setObjectName(QStringLiteral("OptionButton1"));
    OptionButton1->setAutoDefault(false);
    OptionButton1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    panelLayout->addWidget(OptionButton1);
    connect(OptionButton1, &QPushButton::clicked, this, [this] {
        if (OnButtonClick)
            OnButtonClick();
    });

    // Under the Save and Cancel buttons, as wide as they are.
    auto* grid = qobject_cast<QGridLayout*>(layout());
    if (!grid)
        return;
    int column = grid->columnCount() - 1;
    if (auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
        int row = 0, rowSpan = 0, columnSpan = 0;
        const int index = grid->indexOf(buttons);
        if (index >= 0)
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    }
    grid->addWidget(BasePanel, grid->rowCount(), column, Qt::AlignTop);
}

} // namespace kalvo
