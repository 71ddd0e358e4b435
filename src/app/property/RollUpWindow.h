#pragma once
// The property window: a small borderless tool window of the main window with a title strip,
// a pin and a close button and one page that holds the panel of the current tool. It rolls up
// to its title strip 500 ms after the pointer left it, unless pinned or active, and unrolls when
// the pointer comes back or it is activated.
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QTabWidget;
class QToolButton;

namespace kalvo {

class TKVFrameBase;

class TKVfrmRollUp : public QWidget {
    Q_OBJECT
public:
    // canvasRect gives the canvas's rectangle in screen coordinates (for the default position).
    explicit TKVfrmRollUp(QWidget* owner, std::function<QRect()> canvasRect);
    ~TKVfrmRollUp() override;

    static constexpr int kTitleHeight = 16;

    // Places a panel on the page (nullptr: the empty page "なし"); the window owns it.
    void SetPanel(TKVFrameBase* panel);
    TKVFrameBase* Panel() const { return FPanel; }
    QString PageCaption() const;

    bool Pinned() const;
    void SetPinned(bool value);
    bool RolledUp() const { return height() < FullHeight; }
    int FullHeight = 192 + kTitleHeight;

    // "PROPERTY_FORM": Left, Top, FullSize. LoadPosition also keeps the window in the work area.
    void LoadPosition();
    void SavePosition() const;

    // Roll-up timer state and its tick (public so that tests drive it without waiting).
    bool TimerRunning() const { return FTimer.isActive(); }
    void TimerTimer();
    // Where the pointer is and whether the window is active; tests replace them.
    std::function<QPoint()> CursorPos;
    std::function<bool()> IsActive;

    QToolButton* PinButton = nullptr;
    QToolButton* CloseButton = nullptr;

signals:
    // Shown or hidden (the main window keeps its show-property action in step).
    void VisibilityChanged(bool visible);

public:
    // Pointer notifications (from enter and leave events; public for tests).
    void MouseEntered();
    void MouseLeft();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Unroll();
    void RollUp();

    std::function<QRect()> FCanvasRect;
    QTabWidget* FPages = nullptr;
    QWidget* FEmptyPage = nullptr;
    TKVFrameBase* FPanel = nullptr;
    QTimer FTimer;
};

} // namespace kalvo
