#include "app/dialogs/DropShadowDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/mainform/ColorChoice.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "image/RegionConvert.h"
#include "imaging/effects/DropShadowArea.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace kalvo {

namespace {

const QString kSection = QStringLiteral("DropShadow");

} // namespace

TColorSwatch::TColorSwatch(QWidget* parent) : QWidget(parent)
{
    setFixedSize(40, 20);
    setCursor(Qt::PointingHandCursor);
}

void TColorSwatch::SetColor(TColor colour)
{
    FColor = colour;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(GetRValue(FColor), GetGValue(FColor), GetBValue(FColor)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TColorSwatch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

TKVfrmDropShadow::TKVfrmDropShadow(const TpxImage& source, QWidget* parent) : TKVfrmPreviewBase(parent)
{
    setWindowTitle(QStringLiteral("影をつける"));
    pxPreview->Assign(source);
    pxPreview->SetShowRegion(false);
    SetupField(0, QStringLiteral("横位置オフセット(&X):"), -100, 100, 10);
    SetupField(1, QStringLiteral("縦位置のオフセット(&Y):"), -100, 100, 10);
    SetupField(2, QStringLiteral("ぼかしの大きさ(&O):"), 0, 100, 5);
    SetupField(3, QStringLiteral("透明度(&U):"), 0, 100, 5);
    pbShadowColor = new TColorSwatch(this);
    const int row = FieldGrid->rowCount();
    FieldGrid->addWidget(new QLabel(QStringLiteral("影の色"), this), row, 0);
    FieldGrid->addWidget(pbShadowColor, row, 1, Qt::AlignLeft);
    connect(pbShadowColor, &TColorSwatch::clicked, this, &TKVfrmDropShadow::chooseColor);

    Edit[0]->SetValue(ReadIniInteger(kSection, QStringLiteral("OffsetX"), 2));
    Edit[1]->SetValue(ReadIniInteger(kSection, QStringLiteral("OffsetY"), 2));
    Edit[2]->SetValue(ReadIniInteger(kSection, QStringLiteral("Obscure"), 5));
    Edit[3]->SetValue(ReadIniInteger(kSection, QStringLiteral("AlphaChannel"), 50));
    pbShadowColor->SetColor(ReadIniColor(kSection, QStringLiteral("Color"), clBlack));
    SetAutoPreview(ReadIniBool(kSection, QStringLiteral("AutoPreview"), true));
    SyncTrackBars();
    ValueChanged();
}

TDropShadowParams TKVfrmDropShadow::Params() const
{
    TDropShadowParams params;
    params.OffsetX = Edit[0]->Value();
    params.OffsetY = Edit[1]->Value();
    params.Obscure = Edit[2]->Value();
    params.AlphaChannel = Edit[3]->Value();
    params.Color = pbShadowColor->Color();
    return params;
}

void TKVfrmDropShadow::chooseColor()
{
    TColor colour = pbShadowColor->Color();
    if (!ChooseColor(this, colour))
        return;
    pbShadowColor->SetColor(colour);
    ValueChanged();
}

void TKVfrmDropShadow::accept()
{
    for (int i = 0; i < kFieldCount; ++i)
        Edit[i]->SetValue(Edit[i]->Value());
    const TDropShadowParams params = Params();
    WriteIniInteger(kSection, QStringLiteral("OffsetX"), params.OffsetX);
    WriteIniInteger(kSection, QStringLiteral("OffsetY"), params.OffsetY);
    WriteIniInteger(kSection, QStringLiteral("Obscure"), params.Obscure);
    WriteIniInteger(kSection, QStringLiteral("AlphaChannel"), params.AlphaChannel);
    WriteIniColor(kSection, QStringLiteral("Color"), params.Color);
    WriteIniBool(kSection, QStringLiteral("AutoPreview"), AutoPreview());
    TKVfrmPreviewBase::accept();
}

void TKVfrmDropShadow::Preview()
{
    if (!pxPreview->HasImage() || !pxPreview->Region())
        return;
    if (!FOriginal) {
        const TBitmap& shown = pxPreview->Bitmap();
        FOriginal = shown.bitCount() == 24 ? shown : shown.toTrueColor();
        if (shown.bitCount() != 24)
            pxPreview->SetBitmap(*FOriginal);
        FMask = pxPreview->SelectionMask() ? *pxPreview->SelectionMask()
                                           : RegionToMask(pxPreview->Region(), FOriginal->width(), FOriginal->height());
    }
    if (!FPatched.isEmpty())
        pxPreview->PatchBitmap(CropBitmap(*FOriginal, FPatched), FPatched.topLeft());
    FPatched = QRect();
    // Only what the preview shows is computed, however large the picture.
    const QPoint first = pxPreview->ScreenToImage(QPoint(0, 0));
    const QPoint last = pxPreview->ScreenToImage(QPoint(pxPreview->ClientWidth(), pxPreview->ClientHeight()));
    const QRect area = QRect(first, last).adjusted(-1, -1, 1, 1) & QRect(0, 0, FOriginal->width(), FOriginal->height());
    if (std::optional<TBitmap> shadow = DropShadowArea(*FOriginal, FMask, Params(), area)) {
        pxPreview->PatchBitmap(*shadow, area.topLeft());
        FPatched = area;
    }
}

QString TKVfrmDropShadow::HelpText() const
{
    return QStringLiteral("選択範囲の物体の後ろに影をつけます．\r\n"
                          "影の位置（オフセット），ぼかしの大きさ，透明度(％)と影の色を指定します．"
                          "プレビューで結果を確かめられます（手のひらでスクロールできます）．");
}

} // namespace kalvo
