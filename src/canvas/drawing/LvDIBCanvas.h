#pragma once
// A drawing surface whose pixels are the DIB container's own memory: whatever is painted is at
// once in the DIB. Needs mapped memory and a plain 1-, 8- or 24-bit DIB.
#include <QImage>
#include <QPainter>

#include <memory>

namespace kalvo {

class TLvDIB;

class TLvDIBCanvas {
public:
    // ELvDIBCanvasFailed "TLvDIBCanvas.Create: Cannot Create Canvas" for heap memory;
    // EOutOfResources "TLvDIBCanvas.Create: Cannot Create Memory DC" for a format it cannot draw.
    explicit TLvDIBCanvas(TLvDIB& dib);
    ~TLvDIBCanvas();
    TLvDIBCanvas(const TLvDIBCanvas&) = delete;
    TLvDIBCanvas& operator=(const TLvDIBCanvas&) = delete;

    // Paints in image coordinates (row 0 at the top) whatever the DIB's row order.
    QPainter& Canvas() { return *FPainter; }

private:
    TLvDIB& FDIB;
    QImage FImage;
    std::unique_ptr<QPainter> FPainter;
};

} // namespace kalvo
