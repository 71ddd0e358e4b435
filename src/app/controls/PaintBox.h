#pragma once
// A paint box that paints its whole area itself (the background is not erased first) and knows
// whether the mouse is inside it.
#include <QWidget>

class QPainter;

namespace kalvo {

class TpxPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TpxPaintBox(QWidget* parent = nullptr);

    bool MouseInside() const { return FMouseInside; }

signals:
    // Paint the whole area with painter.
    void OnPaint(QPainter& painter);
    // Raised after MouseInside has changed.
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool FMouseInside = false;
};

} // namespace kalvo
