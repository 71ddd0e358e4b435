#include "app/dialogs/NewImageDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/dialogs/DialogButtons.h"
#include "app/settings/Settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kalvo {

namespace {

const QString kSection = QStringLiteral("NEWIMAGE");

TpxNumericEdit* makeSizeEdit(int value, QWidget* parent)
{
    auto* edit = new TpxNumericEdit(parent);
    edit->SetRange(1, 9999);
    edit->SetValue(value);
    return edit;
}

} // namespace

TKVfrmNewImage::TKVfrmNewImage(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("新規作成"));
    pxNumericEdit1 = makeSizeEdit(ReadIniInteger(kSection, QStringLiteral("Width"), 100), this);
    pxNumericEdit2 = makeSizeEdit(ReadIniInteger(kSection, QStringLiteral("Height"), 100), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItems({QStringLiteral("前景色"), QStringLiteral("背景色"), QStringLiteral("白"), QStringLiteral("黒"),
                         QStringLiteral("赤"), QStringLiteral("緑"), QStringLiteral("青"), QStringLiteral("黄"),
                         QStringLiteral("灰")});
    ComboBox1->setMaxVisibleItems(9);
    const int index = ReadIniInteger(kSection, QStringLiteral("CanvasColorIndex"), 1);
    ComboBox1->setCurrentIndex(index >= 0 && index < ComboBox1->count() ? index : 1);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("横サイズ"), this), 0, 0);
    grid->addWidget(pxNumericEdit1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("ピクセル"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("縦サイズ"), this), 1, 0);
    grid->addWidget(pxNumericEdit2, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("ピクセル"), this), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("キャンバスの色"), this), 2, 0);
    grid->addWidget(ComboBox1, 2, 1, 1, 2);

    auto* buttons = MakeOkCancelRow(this, Button1, Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TKVfrmNewImage::accept()
{
    // Enter confirms without leaving the field: bring a typed value into range first.
    pxNumericEdit1->SetValue(pxNumericEdit1->Value());
    pxNumericEdit2->SetValue(pxNumericEdit2->Value());
    WriteIniInteger(kSection, QStringLiteral("Width"), pxNumericEdit1->Value());
    WriteIniInteger(kSection, QStringLiteral("Height"), pxNumericEdit2->Value());
    WriteIniInteger(kSection, QStringLiteral("CanvasColorIndex"), ComboBox1->currentIndex());
    QDialog::accept();
}

} // namespace kalvo
