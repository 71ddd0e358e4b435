#include "app/dialogs/PreviewPaintBox.h"

#include "codecs/preview/PreviewFit.h"
#include "image/Bitmap.h"

#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace kalvo {

TPreviewPaintBox::TPreviewPaintBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage TPreviewPaintBox::BackgroundTile()
{
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::white);
    for (int x = 0; x < 8; ++x) {
        tile.setPixel(x, x, qRgb(192, 192, 192));
        tile.setPixel(x, 7 - x, qRgb(192, 192, 192));
    }
    return tile;
}

void TPreviewPaintBox::SetPicture(const TBitmap& bitmap, qreal devicePixelRatio)
{
    const TBitmap trueColor = bitmap.bitCount() == 24 ? TBitmap() : bitmap.toTrueColor();
    const TBitmap& source = bitmap.bitCount() == 24 ? bitmap : trueColor;
    FPicture = QImage(source.bits(), source.width(), source.height(), qsizetype(source.stride()), QImage::Format_BGR888)
                   .convertToFormat(QImage::Format_RGB32);
    FPicture.setDevicePixelRatio(devicePixelRatio);
    update();
}

void TPreviewPaintBox::ClearPicture()
{
    FPicture = QImage();
    update();
}

QSize TPreviewPaintBox::DeviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
}

QRect TPreviewPaintBox::PictureRect() const
{
    if (FPicture.isNull())
        return {};
    // Fit in device pixels, where the picture was made; a box that shrank since scales it down.
    const QSize box = DeviceSize();
    const TPreviewSize fit = FitPreviewSize(FPicture.width(), FPicture.height(), box.width(), box.height());
    const qreal ratio = devicePixelRatioF();
    const int w = int(std::lround(fit.width / ratio));
    const int h = int(std::lround(fit.height / ratio));
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

void TPreviewPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(BackgroundTile()));
    if (FPicture.isNull())
        return;
    const QRect target = PictureRect();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, FPicture);
}

void TPreviewPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (OnResized)
        OnResized();
}

} // namespace kalvo
