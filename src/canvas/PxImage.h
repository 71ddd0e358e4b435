#pragma once
// The canvas control: holds the open image as a private copy and shows it with scroll bars.
#include "image/Bitmap.h"

#include <QAbstractScrollArea>
#include <QImage>

namespace kalvo {

class TpxImage : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TpxImage(QWidget* parent = nullptr);

    const TBitmap& Bitmap() const { return FBitmap; }
    // Takes a private copy; 16- and 32-bit images are held at 24 bits.
    void SetBitmap(const TBitmap& bitmap);
    bool HasImage() const { return !FBitmap.empty(); }
    int BitCount() const { return FBitmap.empty() ? 0 : FBitmap.bitCount(); }

    // Busy state: the wait cursor while an operation runs.
    void BeginBusy();
    void EndBusy();

signals:
    void BitmapChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollRanges();
    QPoint imageOrigin() const;

    TBitmap FBitmap;
    QImage FDisplay;
    int FBusyCount = 0;
};

} // namespace kalvo
