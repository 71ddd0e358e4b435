#include "image/PixelAccess.h"
#include "image/ImageErrors.h"
#include "image/SepDib.h"

#include <gtest/gtest.h>

using namespace kalvo;

namespace {

std::string errorOf(auto&& call)
{
    try {
        call();
    } catch (const EPxImageError& e) {
        return e.what();
    }
    return "";
}

TColorTable numberedTable()
{
    TColorTable t{};
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = RGB(i, 255 - i, i / 2);
    return t;
}

} // namespace

TEST(PixelAccess, OneBitRowsAtOddPositions)
{
    std::uint8_t row[3] = {0, 0xFF, 0};
    for (int x : {0, 3, 7, 13, 17})
        PutPixelIndex(x, row, 1, 1);
    PutPixelIndex(9, row, 1, 0);
    EXPECT_EQ(row[0], 0x91);
    EXPECT_EQ(row[1], 0xBF);
    EXPECT_EQ(row[2], 0x40);
    const TColorTable table = numberedTable();
    EXPECT_EQ(GetPixelRGB(3, row, 1, table), table[1]);
    EXPECT_EQ(GetPixelRGB(9, row, 1, table), table[0]);
    EXPECT_EQ(GetPixelRGB(13, row, 1, table), table[1]);
    PutPixel(13, row, 1, 0);
    EXPECT_EQ(row[1], 0xBB);
}

TEST(PixelAccess, FourBitRowsHighNibbleFirst)
{
    std::uint8_t row[3] = {0x12, 0x34, 0x56};
    const TColorTable table = numberedTable();
    EXPECT_EQ(GetPixelRGB(0, row, 4, table), table[1]);
    EXPECT_EQ(GetPixelRGB(3, row, 4, table), table[4]);
    EXPECT_EQ(GetPixelRGB(4, row, 4, table), table[5]);
    PutPixelIndex(3, row, 4, 0xA);
    PutPixelIndex(4, row, 4, 0xC);
    EXPECT_EQ(row[1], 0x3A);
    EXPECT_EQ(row[2], 0xC6);
    PutPixel(5, row, 4, 0xF);
    EXPECT_EQ(row[2], 0xCF);
    EXPECT_EQ(row[0], 0x12);
}

TEST(PixelAccess, DeepPixelsAndDepthErrors)
{
    const TColorTable table = numberedTable();
    std::uint8_t row[12] = {9, 8, 7, 1, 2, 3, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(GetPixelRGB(1, row, 24, table), RGB(3, 2, 1));
    EXPECT_EQ(GetPixelRGB(1, row, 16, table), 0x0107u);
    EXPECT_EQ(GetPixelRGB(0, row, 32, table), 0x01070809u);
    EXPECT_EQ(GetPixelRGB(2, row, 8, table), table[7]);
    PutPixel(2, row, 24, RGB(10, 20, 30));
    EXPECT_EQ(row[6], 30);
    EXPECT_EQ(row[7], 20);
    EXPECT_EQ(row[8], 10);
    PutPixel(2, row, 32, 0xAABBCCDD);
    EXPECT_EQ(row[8], 0xDD);
    EXPECT_EQ(row[11], 0xAA);

    EXPECT_EQ(errorOf([&] { GetPixelRGB(0, row, 2, table); }), "PxImage.GetPixelRGB: Can not get image bitcount.");
    EXPECT_EQ(errorOf([&] { PutPixelIndex(0, row, 24, 1); }), "PxImage.PutPixelIndex: Can not put image Pixel.");
    EXPECT_EQ(errorOf([&] { PutPixel(0, row, 16, 1); }), "PxImage.PutPixel: Can not put image Pixel.");
    EXPECT_EQ(row[0], 9);
}

TEST(PixelAccess, RowTablesAddressImageRows)
{
    TBitmap bmp(5, 3, 24);
    TPixelTable24 t24;
    BuildPixelTable24(t24, bmp);
    ASSERT_EQ(t24.size(), 3u);
    t24[2][4] = TRGBTriple{1, 2, 3};
    EXPECT_EQ(bmp.pixelColor(4, 2), RGB(3, 2, 1));
    TBitmap mono(9, 4, 1);
    TPixelTable t;
    BuildPixelTable(t, mono);
    EXPECT_EQ(t[3], mono.scanLine(3));
    EXPECT_THROW(BuildPixelTable24(t24, mono), EPxImageError);
    EXPECT_EQ(GetBitCount(mono), 1);
}

TEST(Palette, TablesQuadsAndDescriptor)
{
    TBitmap bmp(2, 2, 4);
    bmp.setPalette({RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)});
    TColorTable table;
    table.fill(0xABCDEF);
    EXPECT_EQ(PaletteToColorTable(bmp, table), 3);
    EXPECT_EQ(table[2], RGB(7, 8, 9));
    EXPECT_EQ(table[3], 0u);

    TRGBQuad quads[4]{};
    EXPECT_EQ(PaletteToRGBQuads(bmp.palette(), quads, 1), 2);
    EXPECT_EQ(quads[1], (TRGBQuad{6, 5, 4, 0}));
    EXPECT_EQ(quads[2], TRGBQuad{});
    EXPECT_EQ(PaletteToRGBQuads({}, quads, 255), 0);
    EXPECT_EQ(RGBQuadsToPalette(quads, 2), (std::vector<TColor>{RGB(1, 2, 3), RGB(4, 5, 6)}));
    EXPECT_EQ(CreateGreyPalette()[77], RGB(77, 77, 77));
    EXPECT_EQ(CreateMonoPalette(), (std::vector<TColor>{clBlack, clWhite}));

    TSepDIB dib;
    FillSepDIB(dib, bmp);
    EXPECT_EQ(dib.bmiHeader.biSize, 40u);
    EXPECT_EQ(dib.bmiHeader.biWidth, 2);
    EXPECT_EQ(dib.bmiHeader.biHeight, 2);
    EXPECT_EQ(dib.bmiHeader.biPlanes, 1);
    EXPECT_EQ(dib.bmiHeader.biBitCount, 4);
    EXPECT_EQ(dib.bmiColors[2], (TRGBQuad{9, 8, 7, 0}));
    EXPECT_EQ(dib.bmiColors[3], TRGBQuad{});
    FillSepDIB(dib, TBitmap(3, 1, 24));
    EXPECT_EQ(dib.bmiHeader.biBitCount, 24);
    EXPECT_EQ(dib.bmiColors[0], TRGBQuad{});
}
