#include "app/controls/PaintBox.h"

#include <QPainter>

namespace kalvo {

TpxPaintBox::TpxPaintBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TpxPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    emit OnPaint(painter);
}

void TpxPaintBox::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    FMouseInside = true;
    emit OnMouseEnter();
}

void TpxPaintBox::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    FMouseInside = false;
    emit OnMouseLeave();
}

} // namespace kalvo
