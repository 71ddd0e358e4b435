#include "app/property/FrameShape.h"

#include "app/controls/NumericEdit.h"
#include "canvas/PxImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace kalvo {

TKVFrameShape::TKVFrameShape(TpxImage& canvas, QWidget* parent) : TKVFrameBase(canvas, parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(7, 1);
    cmbKind = new QComboBox(this);
    cmbKind->addItems({QStringLiteral("直線"), QStringLiteral("矢印"), QStringLiteral("四角形"),
                       QStringLiteral("角丸四角形"), QStringLiteral("楕円")});
    cmbFill = new QComboBox(this);
    cmbFill->addItems({QStringLiteral("線のみ"), QStringLiteral("塗りつぶしのみ"), QStringLiteral("線と塗りつぶし")});
    cmbFill->setToolTip(QStringLiteral("塗りつぶしは背景色"));
    cmbKind->setToolTip(QStringLiteral("図形"));
    edtWidth = MakeNumericEdit(1, 100, QStringLiteral("線の幅 1～100"));
    edtRadius = MakeNumericEdit(0, 500, QStringLiteral("角の半径 0～500"));
    chkAntiAlias = new QCheckBox(QStringLiteral("アンチエイリアス"), this);
    lblAlphaChannel = new QLabel(QStringLiteral("透明度: "), this);
    edtAlphaChannel = MakeNumericEdit(0, 100, QStringLiteral("透明度 0～100"));
    // The two lists take the panel's whole width: their entries are long.
    grid->addWidget(cmbKind, 0, 0, 1, 3);
    grid->addWidget(cmbFill, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("線の幅: "), this), 2, 0);
    grid->addWidget(edtWidth, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("角の半径: "), this), 3, 0);
    grid->addWidget(edtRadius, 3, 1);
    grid->addWidget(chkAntiAlias, 4, 0, 1, 3);
    grid->addWidget(lblAlphaChannel, 5, 0);
    grid->addWidget(edtAlphaChannel, 5, 1);
    connect(cmbKind, &QComboBox::activated, this, &TKVFrameShape::Store);
    connect(cmbFill, &QComboBox::activated, this, &TKVFrameShape::Store);
    connect(chkAntiAlias, &QCheckBox::clicked, this, &TKVFrameShape::Store);
    for (TpxNumericEdit* edit : {edtWidth, edtRadius, edtAlphaChannel})
        connect(edit, &TpxNumericEdit::Change, this, &TKVFrameShape::Store);
}

QString TKVFrameShape::Caption() const
{
    return QStringLiteral("図形");
}

void TKVFrameShape::Load()
{
    const TToolSettings s = Canvas().ToolSettings();
    {
        const QSignalBlocker blockKind(cmbKind), blockFill(cmbFill);
        cmbKind->setCurrentIndex(int(s.ShapeKind));
        cmbFill->setCurrentIndex(int(s.ShapeFill));
        chkAntiAlias->setChecked(s.ShapeAntiAlias);
    }
    edtWidth->SetValue(s.ShapeWidth);
    edtRadius->SetValue(s.ShapeRadius);
    edtAlphaChannel->SetValue(s.ShapeAlphaChannel);
    Store();
}

void TKVFrameShape::UpdateEnabling(int bits)
{
    chkAntiAlias->setEnabled(bits > 8);
    lblAlphaChannel->setEnabled(bits > 8);
    edtAlphaChannel->setEnabled(bits > 8);
}

void TKVFrameShape::Store()
{
    const int kind = cmbKind->currentIndex(), fill = cmbFill->currentIndex();
    const int width = edtWidth->Value(), radius = edtRadius->Value(), alpha = edtAlphaChannel->Value();
    const bool antiAlias = chkAntiAlias->isChecked();
    edtRadius->setEnabled(kind == int(TShapeKind::RoundRect));
    cmbFill->setEnabled(kind >= int(TShapeKind::Rect));
    ChangeSettings([=](TToolSettings& s) {
        s.ShapeKind = TShapeKind(kind);
        s.ShapeFill = TShapeFill(fill);
        s.ShapeWidth = width;
        s.ShapeRadius = radius;
        s.ShapeAntiAlias = antiAlias;
        s.ShapeAlphaChannel = alpha;
    });
}

} // namespace kalvo
