#include "canvas/BitmapToQImage.h"

#include <cstring>

namespace kalvo {

namespace {

QList<QRgb> colorTable(const TBitmap& bitmap, int entries)
{
    QList<QRgb> table(entries, qRgb(0, 0, 0));
    const auto& palette = bitmap.palette();
    for (int i = 0; i < entries && i < int(palette.size()); ++i)
        table[i] = qRgb(GetRValue(palette[i]), GetGValue(palette[i]), GetBValue(palette[i]));
    return table;
}

} // namespace

QImage BitmapToQImage(const TBitmap& bitmap)
{
    if (bitmap.empty())
        return {};
    const int w = bitmap.width(), h = bitmap.height();
    switch (bitmap.bitCount()) {
    case 24: {
        QImage image(w, h, QImage::Format_BGR888);
        for (int y = 0; y < h; ++y)
            std::memcpy(image.scanLine(y), bitmap.scanLine(y), std::size_t(w) * 3);
        return image;
    }
    case 8:
    case 4: {
        QImage image(w, h, QImage::Format_Indexed8);
        image.setColorTable(colorTable(bitmap, 256));
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* src = bitmap.scanLine(y);
            std::uint8_t* dst = image.scanLine(y);
            if (bitmap.bitCount() == 8)
                std::memcpy(dst, src, std::size_t(w));
            else
                for (int x = 0; x < w; ++x)
                    dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
        }
        return image;
    }
    case 1: {
        QImage image(w, h, QImage::Format_Mono);
        image.setColorTable(colorTable(bitmap, 2));
        for (int y = 0; y < h; ++y)
            std::memcpy(image.scanLine(y), bitmap.scanLine(y), std::size_t((w + 7) / 8));
        return image;
    }
    default:
        return BitmapToQImage(bitmap.toTrueColor());
    }
}

} // namespace kalvo
