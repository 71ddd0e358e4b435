#include "canvas/drawing/LvDIBCanvas.h"

#include "codecs/bmp/LvDIB.h"
#include "codecs/bmp/LvDIBErrors.h"

namespace kalvo {

TLvDIBCanvas::TLvDIBCanvas(TLvDIB& dib) : FDIB(dib)
{
    if (!dib.UseFMO())
        throw ELvDIBCanvasFailed("TLvDIBCanvas.Create: Cannot Create Canvas");
    dib.UniqueDIB();
    TDibRecord& rec = dib.FInternalDIB->Rec;
    QImage::Format format = QImage::Format_Invalid;
    if (rec.Header.biCompression == BI_RGB) {
        format = rec.Header.biBitCount == 24 ? QImage::Format_BGR888
            : rec.Header.biBitCount == 8     ? QImage::Format_Indexed8
            : rec.Header.biBitCount == 1     ? QImage::Format_Mono
                                             : QImage::Format_Invalid;
    }
    if (format == QImage::Format_Invalid)
        throw EOutOfResources("TLvDIBCanvas.Create: Cannot Create Memory DC");
    FImage = QImage(rec.Bits(), int(rec.Width()), int(rec.AbsHeight()), qsizetype(rec.Stride()), format);
    if (rec.Header.biBitCount <= 8) {
        QList<QRgb> table;
        for (std::uint32_t i = 0; i < std::min<std::uint32_t>(rec.Header.biClrUsed, 256); ++i)
            table << qRgb(rec.Colors[i].rgbRed, rec.Colors[i].rgbGreen, rec.Colors[i].rgbBlue);
        FImage.setColorTable(table);
    }
    FPainter = std::make_unique<QPainter>(&FImage);
    if (rec.Header.biHeight > 0) {
        // Memory row 0 is the bottom row: flip so that callers draw upright.
        FPainter->translate(0, rec.AbsHeight());
        FPainter->scale(1, -1);
    }
}

TLvDIBCanvas::~TLvDIBCanvas()
{
    FPainter.reset();
    FDIB.UpdatePaletteModified();
    FDIB.Changed();
}

} // namespace kalvo
