#include "app/property/RollUpWindow.h"

#include "app/property/FrameBase.h"
#include "app/property/RollUpPosition.h"
#include "app/settings/Settings.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QWindow>

namespace kalvo {

namespace {

const QString kSection = QStringLiteral("PROPERTY_FORM");

QToolButton* titleButton(QWidget* parent, const QString& glyph, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setText(glyph);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(TKVfrmRollUp::kTitleHeight, TKVfrmRollUp::kTitleHeight - 2);
    return button;
}

} // namespace

TKVfrmRollUp::TKVfrmRollUp(QWidget* owner, std::function<QRect()> canvasRect)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), FCanvasRect(std::move(canvasRect))
{
    setWindowTitle(QStringLiteral("プロパティ"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(164, FullHeight);
    PinButton = titleButton(this, QStringLiteral("\u25C9"), QStringLiteral("開いたままにする"));
    PinButton->setCheckable(true);
    // The pin shows its state: a filled dot while the window is held open, a ring otherwise.
    connect(PinButton, &QToolButton::toggled, PinButton,
            [this](bool down) { PinButton->setText(down ? QStringLiteral("\u25C9") : QStringLiteral("\u25CB")); });
    PinButton->setChecked(true);
    CloseButton = titleButton(this, QStringLiteral("\u00D7"), QStringLiteral("閉じる"));
    CloseButton->move(width() - kTitleHeight - 1, 1);
    PinButton->move(width() - 2 * kTitleHeight - 1, 1);
    connect(CloseButton, &QToolButton::clicked, this, &QWidget::close);
    FPages = new QTabWidget(this);
    FPages->setGeometry(0, kTitleHeight, width(), FullHeight - kTitleHeight);
    FEmptyPage = new QWidget;
    FPages->addTab(FEmptyPage, QStringLiteral("なし"));
    CursorPos = [] { return QCursor::pos(); };
    IsActive = [this] { return isActiveWindow(); };
    FTimer.setInterval(500);
    connect(&FTimer, &QTimer::timeout, this, &TKVfrmRollUp::TimerTimer);
    FTimer.start();
}

TKVfrmRollUp::~TKVfrmRollUp()
{
    SavePosition();
}

void TKVfrmRollUp::SetPanel(TKVFrameBase* panel)
{
    if (FPanel == panel)
        return;
    QWidget* page = panel ? static_cast<QWidget*>(panel) : FEmptyPage;
    const QString caption = panel ? panel->Caption() : QStringLiteral("なし");
    FPages->insertTab(0, page, caption);
    FPages->setCurrentIndex(0);
    while (FPages->count() > 1)
        FPages->removeTab(1);
    delete FPanel;
    FPanel = panel;
}

QString TKVfrmRollUp::PageCaption() const
{
    return FPages->tabText(0);
}

bool TKVfrmRollUp::Pinned() const
{
    return PinButton->isChecked();
}

void TKVfrmRollUp::SetPinned(bool value)
{
    PinButton->setChecked(value);
}

void TKVfrmRollUp::LoadPosition()
{
    const QRect canvas = FCanvasRect ? FCanvasRect() : QRect();
    const QPoint fallback(canvas.left() + canvas.width() - width() - 40, canvas.top() + 80);
    const QPoint stored(ReadIniInteger(kSection, QStringLiteral("Left"), fallback.x()),
                        ReadIniInteger(kSection, QStringLiteral("Top"), fallback.y()));
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    move(KeepInWorkArea(stored, QSize(width(), FullHeight), work));
    SetPinned(ReadIniBool(kSection, QStringLiteral("FullSize"), true));
}

void TKVfrmRollUp::SavePosition() const
{
    WriteIniInteger(kSection, QStringLiteral("Left"), x());
    WriteIniInteger(kSection, QStringLiteral("Top"), y());
    WriteIniBool(kSection, QStringLiteral("FullSize"), Pinned());
}

void TKVfrmRollUp::MouseEntered()
{
    Unroll();
    FTimer.stop();
}

void TKVfrmRollUp::MouseLeft()
{
    // Leaving into a child control is no leaving.
    if (frameGeometry().contains(CursorPos()))
        return;
    if (Pinned())
        FTimer.stop();
    else
        FTimer.start();
}

void TKVfrmRollUp::TimerTimer()
{
    if (IsActive())
        return;
    FTimer.stop();
    if (!Pinned())
        RollUp();
}

void TKVfrmRollUp::Unroll()
{
    if (height() != FullHeight)
        resize(width(), FullHeight);
}

void TKVfrmRollUp::RollUp()
{
    resize(width(), kTitleHeight);
}

void TKVfrmRollUp::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MouseEntered();
}

void TKVfrmRollUp::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeft();
}

void TKVfrmRollUp::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit VisibilityChanged(true);
}

void TKVfrmRollUp::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit VisibilityChanged(false);
}

void TKVfrmRollUp::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Unroll();
}

void TKVfrmRollUp::mousePressEvent(QMouseEvent* event)
{
    // Any free spot drags the window, as its title strip does.
    if (event->button() == Qt::LeftButton && windowHandle() && windowHandle()->startSystemMove())
        return;
    QWidget::mousePressEvent(event);
}

void TKVfrmRollUp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect strip(0, 0, width(), kTitleHeight);
    painter.fillRect(strip, palette().color(QPalette::Active, QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    painter.drawText(strip.adjusted(4, 0, -2 * kTitleHeight, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("プロパティ"));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kalvo
