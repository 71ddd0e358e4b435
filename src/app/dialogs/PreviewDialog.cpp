#include "app/dialogs/PreviewDialog.h"

#include "app/controls/NumericEdit.h"
#include "app/dialogs/MessageService.h"
#include "canvas/PxImage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace kalvo {

bool PreviewZoomIn(int& a, int& b)
{
    if (b < 2) {
        if (a >= 20)
            return false;
        ++a;
    } else {
        --b;
    }
    return true;
}

bool PreviewZoomOut(int& a, int& b)
{
    if (a < 2) {
        if (b >= 10)
            return false;
        ++b;
    } else {
        --a;
    }
    return true;
}

TKVfrmPreviewBase::TKVfrmPreviewBase(QWidget* parent) : QDialog(parent)
{
    pxPreview = new TpxImage(this);
    pxPreview->SetShowScrollBars(false);
    pxPreview->SetBGBrushStyle(bsSolid);
    const QColor shadow = palette().color(QPalette::Dark);
    pxPreview->SetColor(RGB(shadow.red(), shadow.green(), shadow.blue()));
    pxPreview->SetMouseMode(mmNeko);
    pxPreview->setFixedSize(260, 220);

    btnZoomIn = new QPushButton(QStringLiteral("+"), this);
    btnZoomOut = new QPushButton(QStringLiteral("-"), this);
    btnZoomIn->setToolTip(QStringLiteral("拡大"));
    btnZoomOut->setToolTip(QStringLiteral("縮小"));
    lblZoom = new QLabel(this);
    btnPreview = new QPushButton(QStringLiteral("ﾌﾟﾚﾋﾞｭｰ(&P)"), this);
    cbAutoPreview = new QCheckBox(QStringLiteral("ｵｰﾄﾌﾟﾚﾋﾞｭｰ(&A)"), this);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnHelp = new QPushButton(QStringLiteral("ヘルプ(&H)"), this);
    btnOk->setDefault(true);

    FieldGrid = new QGridLayout;
    for (int i = 0; i < kFieldCount; ++i) {
        lblCaption[i] = new QLabel(this);
        TrackBar[i] = new QSlider(Qt::Horizontal, this);
        TrackBar[i]->setFocusPolicy(Qt::StrongFocus);
        TrackBar[i]->setTickPosition(QSlider::TicksBelow);
        TrackBar[i]->setPageStep(10);
        Edit[i] = new TpxNumericEdit(this);
        Edit[i]->setFixedWidth(Edit[i]->fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 12);
        lblCaption[i]->setBuddy(Edit[i]);
        FieldGrid->addWidget(lblCaption[i], i, 0);
        FieldGrid->addWidget(TrackBar[i], i, 1);
        FieldGrid->addWidget(Edit[i], i, 2);
        SetupField(i, QString(), 0, 100, 10);
        QSlider* bar = TrackBar[i];
        TpxNumericEdit* edit = Edit[i];
        // Each follows the other only when the change came from the focused one.
        connect(bar, &QSlider::valueChanged, this, [bar, edit](int value) {
            if (bar->hasFocus())
                edit->SetValue(value);
        });
        connect(edit, &TpxNumericEdit::Change, this, [this, bar, edit] {
            if (edit->hasFocus())
                bar->setValue(edit->Value());
            ValueChanged();
        });
    }

    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(btnZoomOut);
    zoomRow->addWidget(lblZoom);
    zoomRow->addWidget(btnZoomIn);
    zoomRow->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(pxPreview);
    left->addLayout(zoomRow);
    auto* right = new QVBoxLayout;
    right->addLayout(FieldGrid);
    right->addStretch();
    auto* previewRow = new QHBoxLayout;
    previewRow->addWidget(btnPreview);
    previewRow->addWidget(cbAutoPreview);
    previewRow->addStretch();
    right->addLayout(previewRow);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, &TKVfrmPreviewBase::PreviewTimerTimer);
    // A preview covers the visible part: scrolling it with the hand brings the rest up to date.
    connect(pxPreview, &TpxImage::OnMouseUp, this, [this] {
        if (FPreviewCount > 0)
            FTimer.start(kButtonDelay);
    });
    connect(btnZoomIn, &QPushButton::clicked, this, &TKVfrmPreviewBase::ZoomIn);
    connect(btnZoomOut, &QPushButton::clicked, this, &TKVfrmPreviewBase::ZoomOut);
    connect(btnPreview, &QPushButton::clicked, this, [this] { FTimer.start(kButtonDelay); });
    connect(cbAutoPreview, &QCheckBox::toggled, this, [this](bool on) { btnPreview->setEnabled(!on); });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, [this] { ShowMessageBox(HelpText(), MB_OK); });
    applyZoom();
}

void TKVfrmPreviewBase::SetupField(int index, const QString& caption, int minimum, int maximum, int ticks)
{
    lblCaption[index]->setText(caption);
    Edit[index]->SetRange(minimum, maximum);
    TrackBar[index]->setRange(minimum, maximum);
    TrackBar[index]->setTickInterval(ticks);
}

void TKVfrmPreviewBase::SyncTrackBars()
{
    for (int i = 0; i < kFieldCount; ++i)
        TrackBar[i]->setValue(Edit[i]->Value());
}

bool TKVfrmPreviewBase::AutoPreview() const
{
    return cbAutoPreview->isChecked();
}

void TKVfrmPreviewBase::SetAutoPreview(bool on)
{
    cbAutoPreview->setChecked(on);
    btnPreview->setEnabled(!on);
}

void TKVfrmPreviewBase::ValueChanged()
{
    if (AutoPreview())
        FTimer.start(kChangeDelay);
}

void TKVfrmPreviewBase::ZoomIn()
{
    if (PreviewZoomIn(FZoomA, FZoomB))
        applyZoom();
}

void TKVfrmPreviewBase::ZoomOut()
{
    if (PreviewZoomOut(FZoomA, FZoomB))
        applyZoom();
}

void TKVfrmPreviewBase::applyZoom()
{
    lblZoom->setText(QStringLiteral("%1 : %2").arg(FZoomA).arg(FZoomB));
    btnZoomIn->setEnabled(FZoomA < 20);
    btnZoomOut->setEnabled(FZoomB < 10);
    pxPreview->SetZoom(FZoomA * 100 / FZoomB);
    if (FPreviewCount > 0)
        FTimer.start(kButtonDelay);
}

void TKVfrmPreviewBase::PreviewTimerTimer()
{
    FTimer.stop();
    // The dialog stands still while computing and is usable again afterwards, also on failure;
    // the control being typed into keeps the focus.
    QPointer<QWidget> focused = focusWidget();
    setEnabled(false);
    struct Enable {
        TKVfrmPreviewBase* dialog;
        QPointer<QWidget>& focused;
        ~Enable()
        {
            dialog->setEnabled(true);
            if (focused)
                focused->setFocus();
        }
    } enable{this, focused};
    try {
        Preview();
        ++FPreviewCount;
    } catch (const std::exception& e) {
        ShowFailure(e);
    }
}

} // namespace kalvo
