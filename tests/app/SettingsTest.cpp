#include "ScopedConfigDir.h"
#include "app/settings/ColorText.h"
#include "app/settings/IniFile.h"
#include "app/settings/MainSettings.h"
#include "app/settings/Placement.h"
#include "image/Clamp.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

TEST(ColorText, NamedColoursByNameOthersInDollarForm)
{
    EXPECT_EQ(ColorToString(0x0000FF), "clRed");
    EXPECT_EQ(ColorToString(0x808080), "clGray");
    EXPECT_EQ(ColorToString(0xFFFFFF), "clWhite");
    EXPECT_EQ(ColorToString(0x00FF8040), "$00FF8040");
    EXPECT_EQ(StringToColor("clNavy"), TColor(0x800000));
    EXPECT_EQ(StringToColor("CLAQUA"), TColor(0xFFFF00));
    EXPECT_EQ(StringToColor("$00FF8040"), TColor(0xFF8040));
    EXPECT_EQ(StringToColor("$FFFFFFFF"), TColor(0xFFFFFF));
    EXPECT_EQ(StringToColor("255"), TColor(0x0000FF));
    EXPECT_TRUE(StringToColor("clBtnFace").has_value());
    EXPECT_EQ(StringToColor("clNoSuchColour"), std::nullopt);
    EXPECT_EQ(StringToColor("$"), std::nullopt);
    EXPECT_EQ(StringToColor("$123456789"), std::nullopt);
    for (TColor c : {0x000000u, 0x000080u, 0x123456u, 0xC0C0C0u})
        EXPECT_EQ(StringToColor(ColorToString(c)), c);
}

TEST(ColorText, HexColourTextOfTheMainColours)
{
    EXPECT_EQ(HexColorText(0x0000FF), "0000FF");
    EXPECT_EQ(HexColorText(0), "000000");
    EXPECT_EQ(ParseHexColorText("0000FF"), TColor(0x0000FF));
    EXPECT_EQ(ParseHexColorText("ff"), TColor(0xFF));
    EXPECT_EQ(ParseHexColorText("red"), std::nullopt);
    EXPECT_EQ(ParseHexColorText(""), std::nullopt);
}

TEST(MainSettings, DefaultsWithoutAFile)
{
    TempDir dir;
    const TMainSettings s = ReadMainSettings(TIniFile(QString::fromStdString(dir.file("none.ini"))));
    EXPECT_EQ(s.Placement, "DUMMY");
    EXPECT_EQ(s.ForegroundColor, 0x000000u);
    EXPECT_EQ(s.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(s.MaxUndo, 16);
    EXPECT_TRUE(s.ShowStatusBar);
    EXPECT_EQ(s.Tools.MagicWandTolerance, 10);
    EXPECT_EQ(s.Tools.PaintTolerance, 10);
    EXPECT_EQ(s.PenMode, 12);
    EXPECT_EQ(s.Tools.BrushSize, 10);
    EXPECT_EQ(s.Tools.BrushStep, 20);
    EXPECT_EQ(s.Tools.BrushHardness, 0);
    EXPECT_TRUE(s.ShowProperty);
    EXPECT_EQ(s.Tools.ShapeKind, TShapeKind::Rect);
    EXPECT_EQ(s.Tools.ShapeFill, TShapeFill::Outline);
    EXPECT_EQ(s.Tools.ShapeWidth, 1);
    EXPECT_FALSE(s.Tools.ShapeAntiAlias);
    EXPECT_TRUE(s.CustomColors.isEmpty());
    EXPECT_EQ(s.JpegQuality, 80);
    EXPECT_EQ(s.Jpeg2kQuality, 400);
    EXPECT_TRUE(s.Jpeg2kReversible);
    EXPECT_EQ(s.WebpQuality, 80);
    EXPECT_FALSE(s.WebpLossless);
}

TEST(MainSettings, StoredValuesAndTheirLimits)
{
    TempDir dir;
    WriteAll(dir.file("k.ini"),
             Bytes("[common]\r\nForegroundColor=0000FF\r\nBackgroundColor=zz\r\nMaxUndo=-3\r\nShowStatusBar=0\r\n"
                   "this is garbage\r\n[SETTINGS]\r\nMagicWandTolerance=300\r\nPaintTolerance=abc\r\n"
                   "PaintAlphaChannel=250\r\nPenMode=13\r\nBrushSize=99999999999\r\nBrushStep=5000\r\n"
                   "BrushStyle=9\r\nShowProperty=0\r\n[CUSTOM_COLORS]\r\nColorA=0000FF\r\nColorB=00FF00\r\n"
                   "[SAVE_OPTIONS]\r\nJpegQuality=55\r\nJpeg2kReversible=0\r\nWebpQuality=300\r\nWebpLossless=1\r\n"));
    const TMainSettings s = ReadMainSettings(TIniFile(QString::fromStdString(dir.file("k.ini"))));
    EXPECT_EQ(s.ForegroundColor, 0x0000FFu); // red
    EXPECT_EQ(s.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(s.MaxUndo, 0);
    EXPECT_FALSE(s.ShowStatusBar);
    EXPECT_EQ(s.Tools.MagicWandTolerance, 44);
    EXPECT_EQ(s.Tools.PaintTolerance, 10);
    EXPECT_EQ(s.Tools.PaintAlphaChannel, 100);
    EXPECT_EQ(s.PenMode, 13);
    EXPECT_EQ(s.Tools.BrushSize, 10);
    EXPECT_EQ(s.Tools.BrushStep, 200);
    EXPECT_EQ(s.Tools.BrushStyle, TpxBrushStyle::pxsRound);
    EXPECT_FALSE(s.ShowProperty);
    EXPECT_EQ(s.CustomColors, QStringList({"ColorA=0000FF", "ColorB=00FF00"}));
    EXPECT_EQ(s.JpegQuality, 55);
    EXPECT_FALSE(s.Jpeg2kReversible);
    EXPECT_EQ(s.WebpQuality, 100);
    EXPECT_TRUE(s.WebpLossless);
}

TEST(MainSettings, WrittenFromScratchWithTheWritersSpellingAndReadBack)
{
    TempDir dir;
    TIniFile ini(QString::fromStdString(dir.file("w.ini")));
    TMainSettings s;
    s.Placement = "1,2,300,200,3";
    s.ForegroundColor = 0x0000FF;
    s.Tools.MagicWandTolerance = 44;
    s.Tools.BrushSize = 33;
    s.Tools.ShapeKind = TShapeKind::Ellipse;
    s.Tools.TextFont = "Serif";
    s.Tools.TextSize = 40;
    s.CustomColors = {"ColorA=123456", "ColorB=ABCDEF"};
    s.Jpeg2kQuality = 50;
    s.WebpQuality = 35;
    s.WebpLossless = true;
    ASSERT_TRUE(WriteMainSettings(ini, s));
    const std::string text = Text(ReadAll(dir.file("w.ini")));
    EXPECT_NE(text.find("[COMMON]\r\nPlacement=1,2,300,200,3\r\nForegroundColor=0000FF\r\nBackgroundColor=FFFFFF\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Settings]\r\nMagicWandTolerance=44\r\n"), std::string::npos);
    EXPECT_NE(text.find("[CUSTOM_COLORS]\r\nColorA=123456\r\nColorB=ABCDEF\r\n"), std::string::npos);
    const TMainSettings back = ReadMainSettings(ini);
    EXPECT_EQ(back.Placement, s.Placement);
    EXPECT_EQ(back.ForegroundColor, s.ForegroundColor);
    EXPECT_EQ(back.Tools.BrushSize, 33);
    EXPECT_EQ(back.CustomColors, s.CustomColors);
    EXPECT_EQ(back.Jpeg2kQuality, 50);
    EXPECT_NE(text.find("[Text]\r\nFont=Serif\r\nSize=40\r\n"), std::string::npos);
    EXPECT_EQ(back.Tools.ShapeKind, TShapeKind::Ellipse);
    EXPECT_EQ(back.Tools.TextFont, "Serif");
    EXPECT_NE(text.find("Jpeg2kReversible=1\r\nWebpQuality=35\r\nWebpLossless=1\r\n"), std::string::npos);
    EXPECT_EQ(back.WebpQuality, 35);
    EXPECT_TRUE(back.WebpLossless);
}

TEST(Placement, DefaultFillsTheWorkArea)
{
    const QRect work(0, 30, 1024, 738);
    for (const char* text : {"DUMMY", "1,2,3,4", "", "a,b,c,d,e", "10,20,x,40,1", "1,,3,4,5"}) {
        const TPlacement p = ComputePlacement(text, work);
        EXPECT_EQ(p.rect, work) << text;
        EXPECT_EQ(p.show, 1) << text;
    }
}

TEST(Placement, KeptInsideTheWorkAreaButNeverNegative)
{
    const QRect work(0, 30, 1024, 738);
    EXPECT_EQ(ComputePlacement("10,20,300,200,1", work).rect, QRect(10, 50, 300, 200));
    // Ends at the right edge.
    EXPECT_EQ(ComputePlacement("900,0,300,200,1", work).rect, QRect(724, 30, 300, 200));
    EXPECT_EQ(ComputePlacement("-50,-100,300,200,1", work).rect, QRect(0, 0, 300, 200));
    EXPECT_EQ(ComputePlacement("0,0,5000,90000,2", work).rect, QRect(0, 30, 1024, 738));
    EXPECT_EQ(ComputePlacement("2147483647,2147483647,2147483647,-5,3", work).rect, QRect(0, 767, 1024, 1));
    EXPECT_EQ(ComputePlacement("0,0,300,200,2", work).show, 2);
    EXPECT_EQ(ComputePlacement("0,0,300,200,3", work).show, 3);
}

TEST(Clamp, ClampTruncByteAndSwap)
{
    EXPECT_EQ(ClampTrunc(0, 10, 12.7), 10);
    EXPECT_EQ(ClampTrunc(0, 10, -0.5), 0);
    EXPECT_EQ(ClampTrunc(-5, 10, -2.9), -2);
    EXPECT_EQ(ClampTrunc(5, 3, 4.0), 5); // the lower bound wins
    EXPECT_EQ(ClampByte(255.9), 255);
    EXPECT_EQ(ClampByte(17.99), 17);
    int a = 1, b = 2;
    SwapInt(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}
