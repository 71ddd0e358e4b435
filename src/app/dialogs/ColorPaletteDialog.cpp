#include "app/dialogs/ColorPaletteDialog.h"

#include "app/controls/ColorGrid.h"
#include "app/dialogs/DialogButtons.h"
#include "app/mainform/ColorChoice.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvo {

TKVfrmColorPalette::TKVfrmColorPalette(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("カラーパレット"));
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    ColorGrid = new TpxColorGrid(panel);
    ColorGrid->setFixedSize(16 * 14 + 1, 16 * 14 + 1);
    panelLayout->addWidget(ColorGrid);

    lblIndex = new QLabel(this);
    lblRed = new QLabel(this);
    lblGreen = new QLabel(this);
    lblBlue = new QLabel(this);
    edtWebColor = new QLineEdit(this);
    edtWebColor->setReadOnly(true);
    edtWebColor->setFixedWidth(edtWebColor->fontMetrics().horizontalAdvance(QStringLiteral("#MMMMMM")) + 12);
    auto* info = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(lblIndex), static_cast<QWidget*>(lblRed), static_cast<QWidget*>(lblGreen),
                       static_cast<QWidget*>(lblBlue), static_cast<QWidget*>(edtWebColor)})
        info->addWidget(w);
    info->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(panel);
    body->addLayout(info);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(MakeOkCancelRow(this, btnOk, btnCancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ColorGrid, &TpxColorGrid::OnSelectColorChanged, this, &TKVfrmColorPalette::selectionChanged);
    connect(ColorGrid, &TpxColorGrid::OnPaletteChanged, this, &TKVfrmColorPalette::selectionChanged);
    connect(ColorGrid, &TpxColorGrid::OnDblClick, this, &TKVfrmColorPalette::gridDoubleClicked);
    // The arrow keys belong to the grid whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    selectionChanged();
}

bool TKVfrmColorPalette::MoveSelection(int step)
{
    const int target = ColorGrid->SelectColorIndex() + step;
    if (target < 0 || target >= ColorGrid->PaletteEntries())
        return false;
    ColorGrid->SetSelectColorIndex(target);
    return true;
}

bool TKVfrmColorPalette::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int step = key->key() == Qt::Key_Left ? -1
            : key->key() == Qt::Key_Right           ? 1
            : key->key() == Qt::Key_Up              ? -16
            : key->key() == Qt::Key_Down            ? 16
                                                    : 0;
        if (step != 0) {
            MoveSelection(step);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TKVfrmColorPalette::selectionChanged()
{
    const int index = ColorGrid->SelectColorIndex();
    if (index < 0 || index > 255) {
        lblIndex->setText(QStringLiteral("INDEX:"));
        lblRed->setText(QStringLiteral("R:"));
        lblGreen->setText(QStringLiteral("G:"));
        lblBlue->setText(QStringLiteral("B:"));
        edtWebColor->clear();
        return;
    }
    const TpxColorGrid::TEntry& e = ColorGrid->Entry(index);
    lblIndex->setText(QStringLiteral("INDEX: %1").arg(index));
    lblRed->setText(QStringLiteral("R: %1").arg(e.Red));
    lblGreen->setText(QStringLiteral("G: %1").arg(e.Green));
    lblBlue->setText(QStringLiteral("B: %1").arg(e.Blue));
    edtWebColor->setText(QStringLiteral("#%1%2%3")
                             .arg(e.Red, 2, 16, QLatin1Char('0'))
                             .arg(e.Green, 2, 16, QLatin1Char('0'))
                             .arg(e.Blue, 2, 16, QLatin1Char('0'))
                             .toUpper());
}

void TKVfrmColorPalette::gridDoubleClicked()
{
    if (FDoubleClickAccepts) {
        accept();
        return;
    }
    const TColor current = ColorGrid->SelectColor();
    if (current == TColor(-1))
        return;
    TColor colour = current;
    if (ChooseColor(this, colour))
        ColorGrid->SetSelectColor(colour);
}

} // namespace kalvo
