#pragma once
// The open dialog's preview area: the diagonal background pattern with the picture centred on
// it, scaled into the box by the preview fit rule when it is larger.
#include <QImage>
#include <QWidget>

#include <functional>

namespace kalvo {

class TBitmap;

class TPreviewPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPaintBox(QWidget* parent = nullptr);

    // Raised after the box changed size.
    std::function<void()> OnResized;

    // Shows bitmap (any depth) at devicePixelRatio device pixels per logical pixel.
    void SetPicture(const TBitmap& bitmap, qreal devicePixelRatio);
    void ClearPicture();
    bool HasPicture() const { return !FPicture.isNull(); }
    // Where the picture is drawn, in the box's coordinates; empty without a picture.
    QRect PictureRect() const;
    // The box size in device pixels, for the loader.
    QSize DeviceSize() const;

    // 8 x 8 white tile whose two diagonals are silver.
    static QImage BackgroundTile();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage FPicture;
};

} // namespace kalvo
