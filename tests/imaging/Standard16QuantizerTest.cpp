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

TEST(Standard16Quantizer, MatchesBruteForceNearestEntry)
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

} // namespace
} // namespace kalvo
