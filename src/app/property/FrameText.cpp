#include "app/property/FrameText.h"

#include "app/controls/NumericEdit.h"
#include "canvas/PxImage.h"

#include <QCheckBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace kalvo {

TKVFrameText::TKVFrameText(TpxImage& canvas, QWidget* parent) : TKVFrameBase(canvas, parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(7, 1);
    cmbFont = new QFontComboBox(this);
    cmbFont->setMinimumContentsLength(8);
    cmbFont->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    edtSize = MakeNumericEdit(6, 300, QStringLiteral("文字の大きさ 6～300 ポイント"));
    chkBold = new QCheckBox(QStringLiteral("太字"), this);
    chkItalic = new QCheckBox(QStringLiteral("斜体"), this);
    chkAntiAlias = new QCheckBox(QStringLiteral("アンチエイリアス"), this);
    lblAlphaChannel = new QLabel(QStringLiteral("透明度: "), this);
    edtAlphaChannel = MakeNumericEdit(0, 100, QStringLiteral("透明度 0～100"));
    btnApply = new QPushButton(QStringLiteral("適用"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmbFont->setToolTip(QStringLiteral("フォント"));
    grid->addWidget(cmbFont, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("サイズ: "), this), 1, 0);
    grid->addWidget(edtSize, 1, 1);
    grid->addWidget(chkBold, 2, 0, 1, 2);
    grid->addWidget(chkItalic, 2, 2);
    grid->addWidget(chkAntiAlias, 3, 0, 1, 3);
    grid->addWidget(lblAlphaChannel, 4, 0);
    grid->addWidget(edtAlphaChannel, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(btnApply);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 5, 0, 1, 3);
    connect(cmbFont, &QFontComboBox::currentFontChanged, this, &TKVFrameText::Store);
    for (QCheckBox* box : {chkBold, chkItalic, chkAntiAlias})
        connect(box, &QCheckBox::clicked, this, &TKVFrameText::Store);
    for (TpxNumericEdit* edit : {edtSize, edtAlphaChannel})
        connect(edit, &TpxNumericEdit::Change, this, &TKVFrameText::Store);
    connect(btnApply, &QPushButton::clicked, this, [this] { Canvas().EndToolEdit(true); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Canvas().EndToolEdit(false); });
}

QString TKVFrameText::Caption() const
{
    return QStringLiteral("テキスト");
}

void TKVFrameText::Load()
{
    const TToolSettings s = Canvas().ToolSettings();
    {
        const QSignalBlocker block(cmbFont);
        if (!s.TextFont.empty())
            cmbFont->setCurrentFont(QFont(QString::fromStdString(s.TextFont)));
        chkBold->setChecked(s.TextBold);
        chkItalic->setChecked(s.TextItalic);
        chkAntiAlias->setChecked(s.TextAntiAlias);
    }
    edtSize->SetValue(s.TextSize);
    edtAlphaChannel->SetValue(s.TextAlphaChannel);
    // An empty family means the application's font: it stays empty until one is chosen.
    const std::string family = s.TextFont;
    Store();
    if (family.empty())
        ChangeSettings([](TToolSettings& t) { t.TextFont.clear(); });
}

void TKVFrameText::UpdateEnabling(int bits)
{
    chkAntiAlias->setEnabled(bits > 8);
    lblAlphaChannel->setEnabled(bits > 8);
    edtAlphaChannel->setEnabled(bits > 8);
}

void TKVFrameText::Store()
{
    const std::string family = cmbFont->currentFont().family().toStdString();
    const int size = edtSize->Value(), alpha = edtAlphaChannel->Value();
    const bool bold = chkBold->isChecked(), italic = chkItalic->isChecked(), antiAlias = chkAntiAlias->isChecked();
    ChangeSettings([=](TToolSettings& s) {
        s.TextFont = family;
        s.TextSize = size;
        s.TextBold = bold;
        s.TextItalic = italic;
        s.TextAntiAlias = antiAlias;
        s.TextAlphaChannel = alpha;
    });
}

} // namespace kalvo
