#include "canvas/PxImage.h"

#include "canvas/BitmapToQImage.h"

#include <QPainter>
#include <QScrollBar>

namespace kalvo {

TpxImage::TpxImage(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

void TpxImage::SetBitmap(const TBitmap& bitmap)
{
    FBitmap = bitmap.bitCount() == 16 || bitmap.bitCount() == 32 ? bitmap.toTrueColor() : bitmap;
    FDisplay = BitmapToQImage(FBitmap);
    updateScrollRanges();
    viewport()->update();
    emit BitmapChanged();
}

void TpxImage::BeginBusy()
{
    if (FBusyCount++ == 0)
        viewport()->setCursor(Qt::WaitCursor);
}

void TpxImage::EndBusy()
{
    if (FBusyCount > 0 && --FBusyCount == 0)
        viewport()->unsetCursor();
}

void TpxImage::updateScrollRanges()
{
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, FDisplay.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, FDisplay.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
}

QPoint TpxImage::imageOrigin() const
{
    const QSize view = viewport()->size();
    // Centred when smaller than the view, scrolled otherwise.
    const int x = FDisplay.width() < view.width() ? (view.width() - FDisplay.width()) / 2
                                                  : -horizontalScrollBar()->value();
    const int y = FDisplay.height() < view.height() ? (view.height() - FDisplay.height()) / 2
                                                    : -verticalScrollBar()->value();
    return {x, y};
}

void TpxImage::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    if (!FDisplay.isNull())
        painter.drawImage(imageOrigin(), FDisplay);
}

void TpxImage::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}

void TpxImage::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace kalvo
