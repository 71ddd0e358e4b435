#include "image/PixelAccess.h"

#include "image/ImageErrors.h"

namespace kalvo {

void BuildPixelTable(TPixelTable& table, TBitmap& bitmap)
{
    table.resize(std::size_t(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y)
        table[std::size_t(y)] = bitmap.scanLine(y);
}

void BuildPixelTable(TConstPixelTable& table, const TBitmap& bitmap)
{
    table.resize(std::size_t(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y)
        table[std::size_t(y)] = bitmap.scanLine(y);
}

void BuildPixelTable24(TPixelTable24& table, TBitmap& bitmap)
{
    if (bitmap.bitCount() != 24)
        throw EPxImageError("PxImage.BuildPixelTable24: Bitmap is not 24 bits per pixel.");
    table.resize(std::size_t(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y)
        table[std::size_t(y)] = reinterpret_cast<TRGBTriple*>(bitmap.scanLine(y));
}

TColor GetPixelRGB(int x, const std::uint8_t* row, int bitsPerPixel, const TColorTable& colorTable)
{
    switch (bitsPerPixel) {
    case 1: return colorTable[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4: return colorTable[(row[x / 2] >> (4 - (x % 2) * 4)) & 15];
    case 8: return colorTable[row[x]];
    case 16: return TColor(row[2 * x] | row[2 * x + 1] << 8);
    case 24: {
        const std::uint8_t* p = row + 3 * std::size_t(x);
        return RGB(p[2], p[1], p[0]);
    }
    case 32: {
        const std::uint8_t* p = row + 4 * std::size_t(x);
        return TColor(p[0]) | TColor(p[1]) << 8 | TColor(p[2]) << 16 | TColor(p[3]) << 24;
    }
    default: throw EPxImageError("PxImage.GetPixelRGB: Can not get image bitcount.");
    }
}

void PutPixelIndex(int x, std::uint8_t* row, int bitsPerPixel, std::uint32_t index)
{
    switch (bitsPerPixel) {
    case 1: {
        std::uint8_t& b = row[x / 8];
        b = std::uint8_t((index << (7 - x % 8)) | (b & ~(128u >> (x % 8))));
        break;
    }
    case 4: {
        const int n = x % 2;
        std::uint8_t& b = row[x / 2];
        b = std::uint8_t((index << ((1 - n) * 4)) | (b & ~(240u >> (n * 4))));
        break;
    }
    case 8: row[x] = std::uint8_t(index); break;
    default: throw EPxImageError("PxImage.PutPixelIndex: Can not put image Pixel.");
    }
}

void PutPixel(int x, std::uint8_t* row, int bitsPerPixel, std::uint32_t value)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8: PutPixelIndex(x, row, bitsPerPixel, value); break;
    case 24: {
        std::uint8_t* p = row + 3 * std::size_t(x);
        p[0] = std::uint8_t(GetBValue(value));
        p[1] = std::uint8_t(GetGValue(value));
        p[2] = std::uint8_t(GetRValue(value));
        break;
    }
    case 32: {
        std::uint8_t* p = row + 4 * std::size_t(x);
        for (int i = 0; i < 4; ++i)
            p[i] = std::uint8_t(value >> (8 * i));
        break;
    }
    default: throw EPxImageError("PxImage.PutPixel: Can not put image Pixel.");
    }
}

int GetBitCount(const TBitmap& bitmap)
{
    return bitmap.bitCount();
}

} // namespace kalvo
