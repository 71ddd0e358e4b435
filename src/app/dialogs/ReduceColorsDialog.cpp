#include "app/dialogs/ReduceColorsDialog.h"

#include "app/dialogs/DialogButtons.h"
#include "app/settings/Settings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kalvo {

namespace {

QGroupBox* pairGroup(QWidget* parent, const QString& title, QRadioButton* first, QRadioButton* second)
{
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

} // namespace

QString TKVfrmReduceColors::SectionFor(int colors)
{
    return colors == 256 ? QStringLiteral("Reduce8bit")
        : colors == 16   ? QStringLiteral("Reduce4bit")
                         : QStringLiteral("Reduce1bit");
}

TKVfrmReduceColors::TKVfrmReduceColors(int colors, QWidget* parent) : QDialog(parent), FColors(colors)
{
    setWindowTitle(colors == 256      ? QStringLiteral("減色 - 256色")
                       : colors == 16 ? QStringLiteral("減色 - 16色")
                                      : QStringLiteral("減色 - 2色"));
    rbOptimized = new QRadioButton(QStringLiteral("最適化(&M)"), this);
    rbFixed = new QRadioButton(colors == 256      ? QStringLiteral("標準 / WEBｾｰﾌ(&S)")
                                   : colors == 16 ? QStringLiteral("Windows 標準(&S)")
                                                  : QStringLiteral("白黒(&S)"),
                               this);
    rbNearest = new QRadioButton(QStringLiteral("近似色(&N)"), this);
    rbDiffusion = new QRadioButton(QStringLiteral("誤差拡散(&E)"), this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(pairGroup(this, QStringLiteral("パレット"), rbOptimized, rbFixed));
    groups->addWidget(pairGroup(this, QStringLiteral("減色方式"), rbNearest, rbDiffusion));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(MakeOkCancelRow(this, btnOk, btnCancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QString section = SectionFor(colors);
    (ReadIniInteger(section, QStringLiteral("Palette"), 0) == 1 ? rbFixed : rbOptimized)->setChecked(true);
    (ReadIniInteger(section, QStringLiteral("Reduce"), 0) == 1 ? rbDiffusion : rbNearest)->setChecked(true);
}

TReducePalette TKVfrmReduceColors::PaletteChoice() const
{
    return rbFixed->isChecked() ? TReducePalette::Fixed : TReducePalette::Optimized;
}

bool TKVfrmReduceColors::Dither() const
{
    return rbDiffusion->isChecked();
}

void TKVfrmReduceColors::Store() const
{
    const QString section = SectionFor(FColors);
    WriteIniInteger(section, QStringLiteral("Palette"), PaletteChoice() == TReducePalette::Fixed ? 1 : 0);
    WriteIniInteger(section, QStringLiteral("Reduce"), Dither() ? 1 : 0);
}

} // namespace kalvo
