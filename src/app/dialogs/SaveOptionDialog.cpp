#include "app/dialogs/SaveOptionDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/dialogs/DialogButtons.h"
#include "codecs/ImageInfo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kalvo {

namespace {

QSlider* makeTrackBar(int maximum, int tick, QWidget* parent)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setRange(1, maximum);
    bar->setTickInterval(tick);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setValue(1);
    return bar;
}

TpxNumericEdit* makeEdit(int maximum, QWidget* parent)
{
    auto* edit = new TpxNumericEdit(parent);
    edit->SetRange(1, maximum);
    edit->SetValue(1);
    edit->setMaximumWidth(60);
    return edit;
}

// Each side of a track bar / edit pair follows the other only while it has the focus, so the
// two change handlers never feed each other.
void pair(QSlider* bar, TpxNumericEdit* edit)
{
    QObject::connect(bar, &QSlider::valueChanged, edit, [bar, edit](int v) {
        if (bar->hasFocus())
            edit->SetValue(v);
    });
    QObject::connect(edit, &TpxNumericEdit::Change, bar, [bar, edit] {
        if (edit->hasFocus())
            bar->setValue(edit->Value());
    });
}

} // namespace

TKVfrmSaveOption::TKVfrmSaveOption(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("保存オプション"));
    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(createJpegPage(), QStringLiteral("JPEG"));
    PageControl1->addTab(createJpeg2kPage(), QStringLiteral("JPEG2000"));
    PageControl1->addTab(createWebpPage(), QStringLiteral("WebP"));
    PageControl1->setCurrentIndex(0);

    auto* buttons = MakeOkCancelRow(this, Button1, Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    CompressModeClick();
}

QWidget* TKVfrmSaveOption::createJpegPage()
{
    auto* page = new QWidget;
    TrackBar1 = makeTrackBar(100, 10, page);
    pxNumericEdit1 = makeEdit(100, page);
    pair(TrackBar1, pxNumericEdit1);
    auto* row = new QHBoxLayout;
    row->addWidget(TrackBar1);
    row->addWidget(pxNumericEdit1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("画質（1～100）"), page));
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QWidget* TKVfrmSaveOption::createJpeg2kPage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("画質"), page);
    RadioButton1 = new QRadioButton(QStringLiteral("可逆圧縮"), group);
    RadioButton2 = new QRadioButton(QStringLiteral("非可逆圧縮(1～200)"), group);
    RadioButton1->setChecked(true);
    TrackBar2 = makeTrackBar(200, 50, group);
    pxNumericEdit2 = makeEdit(200, group);
    pair(TrackBar2, pxNumericEdit2);
    connect(RadioButton1, &QRadioButton::toggled, this, &TKVfrmSaveOption::CompressModeClick);
    connect(RadioButton2, &QRadioButton::toggled, this, &TKVfrmSaveOption::CompressModeClick);
    auto* row = new QHBoxLayout;
    row->addWidget(TrackBar2);
    row->addWidget(pxNumericEdit2);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(RadioButton1);
    inner->addWidget(RadioButton2);
    inner->addLayout(row);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* TKVfrmSaveOption::createWebpPage()
{
    auto* page = new QWidget;
    WebpQualityBar = makeTrackBar(100, 10, page);
    WebpQualityEdit = makeEdit(100, page);
    pair(WebpQualityBar, WebpQualityEdit);
    WebpLosslessCheck = new QCheckBox(QStringLiteral("ロスレス"), page);
    auto* row = new QHBoxLayout;
    row->addWidget(WebpQualityBar);
    row->addWidget(WebpQualityEdit);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("画質（1～100）"), page));
    layout->addLayout(row);
    layout->addWidget(WebpLosslessCheck);
    layout->addStretch();
    return page;
}

void TKVfrmSaveOption::CompressModeClick()
{
    const bool lossy = RadioButton2->isChecked();
    TrackBar2->setEnabled(lossy);
    pxNumericEdit2->setEnabled(lossy);
}

void TKVfrmSaveOption::SetOptions(const TpxImageInfo& info)
{
    RadioButton1->setChecked(info.Jpeg2kReversible);
    RadioButton2->setChecked(!info.Jpeg2kReversible);
    CompressModeClick();
    TrackBar1->setValue(info.JpegQuality);
    pxNumericEdit1->SetValue(info.JpegQuality);
    TrackBar2->setValue(info.Jpeg2kQuality);
    pxNumericEdit2->SetValue(info.Jpeg2kQuality);
    WebpQualityBar->setValue(info.WebpQuality);
    WebpQualityEdit->SetValue(info.WebpQuality);
    WebpLosslessCheck->setChecked(info.WebpLossless);
}

void TKVfrmSaveOption::GetOptions(TpxImageInfo& info) const
{
    info.Jpeg2kReversible = RadioButton1->isChecked();
    info.JpegQuality = pxNumericEdit1->Value();
    info.Jpeg2kQuality = pxNumericEdit2->Value();
    info.WebpQuality = WebpQualityEdit->Value();
    info.WebpLossless = WebpLosslessCheck->isChecked();
}

bool TKVfrmSaveOption::Execute(QWidget* parent, TpxImageInfo& info)
{
    TKVfrmSaveOption dialog(parent);
    dialog.SetOptions(info);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.GetOptions(info);
    return true;
}

} // namespace kalvo
