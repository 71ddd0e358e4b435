#include "imaging/colour/JascPalette.h"

#include <gtest/gtest.h>

namespace kalvo {
namespace {

TEST(JascPalette, TextLayout)
{
    EXPECT_EQ(JascPaletteText({RGB(255, 0, 10), RGB(1, 2, 3)}), "JASC-PAL\r\n0100\r\n2\r\n255 0 10\r\n1 2 3\r\n");
    EXPECT_EQ(JascPaletteText({}), "");
    EXPECT_EQ(JascPaletteText(std::vector<TColor>(300, RGB(7, 8, 9))).substr(0, 19), "JASC-PAL\r\n0100\r\n256");
}

TEST(JascPalette, ReadsBackWhatIsWritten)
{
    std::vector<TColor> palette;
    for (int k = 0; k < 256; ++k)
        palette.push_back(RGB(k, 255 - k, (k * 7) & 0xFF));
    EXPECT_EQ(ParseJascPalette(JascPaletteText(palette)), palette);
}

TEST(JascPalette, SeparatorsAndLineEnds)
{
    const std::vector<TColor> expected{RGB(10, 20, 30), RGB(40, 50, 60)};
    EXPECT_EQ(ParseJascPalette("JASC-PAL\n0100\n2\n10,20,30\n40 50 60\n"), expected);
    EXPECT_EQ(ParseJascPalette("x\ry\r 2 \r10, 20, 30 extra\r40  50,60"), expected);
    // The low eight bits of each number.
    EXPECT_EQ(ParseJascPalette("a\r\nb\r\n1\r\n256 -1 +511\r\n"), std::vector<TColor>{RGB(0, 255, 255)});
    // Lines after the entries are ignored.
    EXPECT_EQ(ParseJascPalette("a\nb\n1\n1 2 3\ngarbage\n"), std::vector<TColor>{RGB(1, 2, 3)});
}

TEST(JascPalette, RejectsBadFiles)
{
    for (const char* text : {
             "",
             "JASC-PAL\r\n0100\r\n",
             "JASC-PAL\r\n0100\r\n0\r\n",
             "JASC-PAL\r\n0100\r\n300\r\n1 2 3\r\n",
             "JASC-PAL\r\n0100\r\n-1\r\n1 2 3\r\n",
             "JASC-PAL\r\n0100\r\n2\r\n1 2 3\r\n",
             "JASC-PAL\r\n0100\r\n2x\r\n1 2 3\r\n1 2 3\r\n",
             "JASC-PAL\r\n0100\r\n1\r\n1 2\r\n",
             "JASC-PAL\r\n0100\r\n1\r\n1 2 x\r\n",
             "JASC-PAL\r\n0100\r\n1\r\n1 2 3x\r\n",
             "JASC-PAL\r\n0100\r\n1\r\n1\t2\t3\r\n",
             "JASC-PAL\r\n0100\r\n1\r\n1 2 99999999999\r\n",
             "JASC-PAL\r\n0100\r\n1\r\n\r\n",
             "JASC-PAL\r\n0100\r\n99999999999999999999\r\n",
         })
        EXPECT_FALSE(ParseJascPalette(text)) << text;
}

TEST(JascPalette, RejectsGarbageAndLongLines)
{
    std::string garbage;
    for (int k = 0; k < 5000; ++k)
        garbage.push_back(char((k * 131 + 7) & 0xFF));
    EXPECT_FALSE(ParseJascPalette(garbage));
    EXPECT_FALSE(ParseJascPalette(std::string("a\0b\n0100\n1\n1 2 3\n", 17).replace(9, 1, "\0", 1)));
    const std::string longLine = "JASC-PAL\r\n0100\r\n1\r\n" + std::string(200000, '7') + " 1 1\r\n";
    EXPECT_FALSE(ParseJascPalette(longLine));
    const std::string longTail = "JASC-PAL\r\n0100\r\n1\r\n1 2 3" + std::string(200000, ' ') + "\r\n";
    EXPECT_EQ(ParseJascPalette(longTail), std::vector<TColor>{RGB(1, 2, 3)});
}

} // namespace
} // namespace kalvo
