#include "app/dialogs/LevelsDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/settings/Settings.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace kalvo {

namespace {

const QString kSection = QStringLiteral("Levels");

} // namespace

TKVfrmLevels::TKVfrmLevels(const TpxImage& source, QWidget* parent)
    : TKVfrmAdjustPreview(source, QStringLiteral("レベル補正"), kSection, parent)
{
    AddField(0, QStringLiteral("黒点(&B):"), 0, 255, 32, QStringLiteral("Black"), 0);
    AddField(1, QStringLiteral("白点(&W):"), 0, 255, 32, QStringLiteral("White"), 255);
    AddField(2, QStringLiteral("ガンマ(&G):"), 10, 1000, 100, QStringLiteral("Gamma"), 100, 2);
    btnAuto = new QPushButton(QStringLiteral("自動(&T)"), this);
    lblAuto = new QLabel(this);
    // The automatic points go below the button, wrapped, so that the dialog keeps its width.
    lblAuto->setWordWrap(true);
    const int row = FieldGrid->rowCount();
    FieldGrid->addWidget(btnAuto, row, 0);
    FieldGrid->addWidget(lblAuto, row + 1, 0, 1, 3);
    connect(btnAuto, &QPushButton::clicked, this, &TKVfrmLevels::AutoLevels);
    // A field changed by hand leaves the automatic points.
    for (int i = 0; i < 3; ++i)
        connect(Edit[i], &TpxNumericEdit::Change, this, [this] {
            if (!FSetting && FAutomatic) {
                FAutomatic.reset();
                lblAuto->clear();
            }
        });
    if (ReadIniBool(kSection, QStringLiteral("Auto"), false))
        AutoLevels();
    Start();
}

std::array<TLevels, 3> TKVfrmLevels::Channels() const
{
    if (FAutomatic)
        return *FAutomatic;
    const TLevels levels{Edit[0]->Value(), Edit[1]->Value(), Edit[2]->Value() / 100.0};
    return {levels, levels, levels};
}

void TKVfrmLevels::AutoLevels()
{
    FAutomatic = AutoLevelsArea(Original(), std::nullopt, Mask());
    showAutomatic();
    ValueChanged();
}

void TKVfrmLevels::showAutomatic()
{
    const std::array<TLevels, 3>& c = *FAutomatic;
    FSetting = true;
    Edit[0]->SetValue(std::min({c[0].Black, c[1].Black, c[2].Black}));
    Edit[1]->SetValue(std::max({c[0].White, c[1].White, c[2].White}));
    Edit[2]->SetValue(100);
    SyncTrackBars();
    FSetting = false;
    lblAuto->setText(QStringLiteral("R %1～%2  G %3～%4  B %5～%6")
                         .arg(c[2].Black)
                         .arg(c[2].White)
                         .arg(c[1].Black)
                         .arg(c[1].White)
                         .arg(c[0].Black)
                         .arg(c[0].White));
}

bool TKVfrmLevels::Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
                         const TProgressCallback& progress) const
{
    return ApplyTablesArea(source, image, area, mask, LevelsTables(Channels()), progress);
}

void TKVfrmLevels::accept()
{
    WriteIniBool(kSection, QStringLiteral("Auto"), Automatic());
    TKVfrmAdjustPreview::accept();
}

QString TKVfrmLevels::HelpText() const
{
    return QStringLiteral("入力の黒点より暗い値を黒に，白点より明るい値を白にして，その間をガンマで補正します．\r\n"
                          "自動は色ごとに，明るさの分布の両端 0.5％を除いた範囲を黒点と白点にします．");
}

} // namespace kalvo
