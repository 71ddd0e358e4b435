#include "image/Color.h"
#include "imaging/quantize/FixedPalettes.h"
#include "imaging/quantize/StaticColorQuantizers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kalvo {
namespace {

// The nearest standard colour by brute force: smallest squared distance, lowest index on a tie.
TColor bruteForceNearest(int r, int g, int b)
{
    const std::vector<TColor> palette = Standard16Palette();
    TColor best = palette[0];
    int bestDistance = 1 << 30;
    for (TColor entry : palette) {
        const int dr = int(GetRValue(entry)) - r, dg = int(GetGValue(entry)) - g, db = int(GetBValue(entry)) - b;
        if (dr * dr + dg * dg + db * db < bestDistance) {
            bestDistance = dr * dr + dg * dg + db * db;
            best = entry;
        }
    }
    return best;
}

TEST(StaticQuantizers, StandardColourIsTheBruteForceNearestEntry)
{
    const TQuantizeToStaticColor16 quantiser;
    // Every seventh colour: all positions inside the 8 x 8 x 8 boxes the lookup uses are reached.
    for (std::uint32_t key = 0; key < (1u << 24); key += 7) {
        TRGBTriple out;
        quantiser.MapColor(out, key);
        const int r = int(key >> 16), g = int((key >> 8) & 0xFF), b = int(key & 0xFF);
        ASSERT_EQ(RGB(out.rgbtRed, out.rgbtGreen, out.rgbtBlue), bruteForceNearest(r, g, b))
            << r << "," << g << "," << b;
    }
}

template <class Quantizer>
void expectSlotsGiveTheMappedColours(const Quantizer& quantiser)
{
    for (std::uint32_t key = 0; key < (1u << 24); key += 11) {
        TRGBTriple mapped, slot;
        quantiser.MapColor(mapped, key);
        const int s = quantiser.MapSlot(key);
        ASSERT_TRUE(s >= 0 && s < Quantizer::kSlots) << key;
        slot = quantiser.SlotColour(s);
        ASSERT_TRUE(mapped.rgbtRed == slot.rgbtRed && mapped.rgbtGreen == slot.rgbtGreen
                    && mapped.rgbtBlue == slot.rgbtBlue)
            << key;
    }
}

TEST(StaticQuantizers, SlotsGiveTheMappedColours)
{
    expectSlotsGiveTheMappedColours(TQuantizeToStaticColor());
    expectSlotsGiveTheMappedColours(TQuantizeToStaticColor16());
    expectSlotsGiveTheMappedColours(TQuantizeToStaticColor2());
}

TEST(StaticQuantizers, SlotsFollowThePaletteOrder)
{
    const TQuantizeToStaticColor web;
    const std::vector<TColor> webPalette = WebPalette();
    for (int s = 0; s < TQuantizeToStaticColor::kSlots; ++s) {
        const TRGBTriple c = web.SlotColour(s);
        EXPECT_EQ(RGB(c.rgbtRed, c.rgbtGreen, c.rgbtBlue), webPalette[std::size_t(s)]) << s;
    }
    const TQuantizeToStaticColor16 standard;
    const std::vector<TColor> standardPalette = Standard16Palette();
    for (int s = 0; s < TQuantizeToStaticColor16::kSlots; ++s) {
        const TRGBTriple c = standard.SlotColour(s);
        EXPECT_EQ(RGB(c.rgbtRed, c.rgbtGreen, c.rgbtBlue), standardPalette[std::size_t(s)]) << s;
    }
    const TQuantizeToStaticColor2 blackWhite;
    EXPECT_EQ(blackWhite.SlotColour(0).rgbtRed, 0);
    EXPECT_EQ(blackWhite.SlotColour(1).rgbtBlue, 255);
}

} // namespace
} // namespace kalvo
