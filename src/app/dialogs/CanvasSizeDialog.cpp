#include "app/dialogs/CanvasSizeDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/dialogs/DropShadowDialog.h"
#include "app/dialogs/MessageService.h"
#include "app/dialogs/SizeFields.h"
#include "app/mainform/ColorChoice.h"
#include "app/settings/Settings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace kalvo {

namespace {

const QString kSection = QStringLiteral("CanvasSize");

// The arrows drawn on the anchor buttons, row by row: where the picture is pinned.
constexpr const char* kAnchorArrows[9] = {"↖", "↑", "↗", "←", "●", "→", "↙", "↓", "↘"};

} // namespace

TKVfrmCanvasSize::TKVfrmCanvasSize(int width, int height, TColor background, QWidget* parent)
    : QDialog(parent),
      FWidth(width),
      FHeight(height),
      FBackground(background),
      FSizeFields(this, width, height, kMaxSide,
                  std::clamp(ReadIniInteger(kSection, QStringLiteral("PercentX"), 100), 1, kMaxPercent),
                  std::clamp(ReadIniInteger(kSection, QStringLiteral("PercentY"), 100), 1, kMaxPercent), kMaxPercent)
{
    setWindowTitle(QStringLiteral("キャンバスサイズ"));
    rbSize = FSizeFields.rbSize;
    rbRatio = FSizeFields.rbRatio;
    edtWidth = FSizeFields.edtWidth;
    edtHeight = FSizeFields.edtHeight;
    edtPercentX = FSizeFields.edtPercentX;
    edtPercentY = FSizeFields.edtPercentY;
    const bool byPercent = ReadIniBool(kSection, QStringLiteral("ByPercent"), false);

    auto* anchors = new QGridLayout;
    FAnchors = new QButtonGroup(this);
    for (int i = 0; i < 9; ++i) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromUtf8(kAnchorArrows[i]));
        button->setCheckable(true);
        button->setFixedSize(28, 28);
        FAnchors->addButton(button, i);
        anchors->addWidget(button, i / 3, i % 3);
        btnAnchor[std::size_t(i)] = button;
    }
    btnAnchor[std::size_t(std::clamp(ReadIniInteger(kSection, QStringLiteral("Anchor"), 0), 0, 8))]->setChecked(true);

    rbBackground = new QRadioButton(QStringLiteral("背景色(&B)"), this);
    rbOtherColor = new QRadioButton(QStringLiteral("指定色(&L)"), this);
    pbColor = new TColorSwatch(this);
    const bool useBackground = ReadIniBool(kSection, QStringLiteral("UseBackground"), true);
    pbColor->SetColor(useBackground ? background : ReadIniColor(kSection, QStringLiteral("Color"), background));
    (useBackground ? rbBackground : rbOtherColor)->setChecked(true);

    // Two choices side by side in one dialog: each pair is its own group.
    for (auto [first, second] : {std::pair{rbSize, rbRatio}, std::pair{rbBackground, rbOtherColor}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
    }

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnOk->setDefault(true);

    auto* current = new QLabel(QStringLiteral("現在のサイズ：%1 x %2").arg(width).arg(height), this);
    auto* placing = new QHBoxLayout;
    placing->addWidget(new QLabel(QStringLiteral("配置："), this), 0, Qt::AlignTop);
    placing->addLayout(anchors);
    placing->addSpacing(20);
    auto* colours = new QVBoxLayout;
    colours->addWidget(new QLabel(QStringLiteral("広がった部分の色："), this));
    colours->addWidget(rbBackground);
    auto* other = new QHBoxLayout;
    other->addWidget(rbOtherColor);
    other->addWidget(pbColor);
    colours->addLayout(other);
    colours->addStretch();
    placing->addLayout(colours);
    placing->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(current);
    FSizeFields.AddTo(layout);
    layout->addLayout(placing);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(rbSize, &QRadioButton::clicked, this, [this] { chooseGroup(true); });
    connect(rbRatio, &QRadioButton::clicked, this, [this] { chooseGroup(false); });
    connect(pbColor, &TColorSwatch::clicked, this, &TKVfrmCanvasSize::chooseColor);
    chooseGroup(!byPercent);
}

void TKVfrmCanvasSize::chooseGroup(bool bySize)
{
    FSizeFields.Choose(bySize);
}

void TKVfrmCanvasSize::chooseColor()
{
    TColor colour = pbColor->Color();
    if (!ChooseColor(this, colour))
        return;
    pbColor->SetColor(colour);
    rbOtherColor->setChecked(true);
}

int TKVfrmCanvasSize::side(bool horizontal) const
{
    if (rbSize->isChecked())
        return (horizontal ? edtWidth : edtHeight)->Value();
    const std::int64_t old = horizontal ? FWidth : FHeight;
    const int percent = (horizontal ? edtPercentX : edtPercentY)->Value();
    return int(std::clamp<std::int64_t>(old * percent / 100, 1, kMaxSide));
}

int TKVfrmCanvasSize::NewWidth() const
{
    return side(true);
}
int TKVfrmCanvasSize::NewHeight() const
{
    return side(false);
}

TAnchor TKVfrmCanvasSize::Anchor() const
{
    const int id = std::max(0, FAnchors->checkedId());
    return {TAnchorPart(id % 3), TAnchorPart(id / 3)};
}

TColor TKVfrmCanvasSize::FillColor() const
{
    return rbBackground->isChecked() ? FBackground : pbColor->Color();
}

void TKVfrmCanvasSize::accept()
{
    WriteIniBool(kSection, QStringLiteral("ByPercent"), rbRatio->isChecked());
    WriteIniInteger(kSection, QStringLiteral("PercentX"), edtPercentX->Value());
    WriteIniInteger(kSection, QStringLiteral("PercentY"), edtPercentY->Value());
    WriteIniInteger(kSection, QStringLiteral("Anchor"), std::max(0, FAnchors->checkedId()));
    WriteIniBool(kSection, QStringLiteral("UseBackground"), rbBackground->isChecked());
    WriteIniColor(kSection, QStringLiteral("Color"), pbColor->Color());
    QDialog::accept();
}

} // namespace kalvo
