#include "imaging/quantize/StaticColorQuantizers.h"

#include "image/NearestPaletteIndex.h"
#include "imaging/quantize/FixedPalettes.h"

namespace kalvo {

TQuantizeToStaticColor::TQuantizeToStaticColor()
{
    for (int v = 0; v < 256; ++v) {
        levelIndex_[std::size_t(v)] = std::uint8_t(WebLevelIndex(v));
        level_[std::size_t(v)] = std::uint8_t(kWebLevels[std::size_t(WebLevelIndex(v))]);
    }
}

TRGBTriple TQuantizeToStaticColor::SlotColour(int slot) const
{
    return TRGBTriple{std::uint8_t(kWebLevels[std::size_t(slot % 6)]),
                      std::uint8_t(kWebLevels[std::size_t(slot / 6 % 6)]),
                      std::uint8_t(kWebLevels[std::size_t(slot / 36)])};
}

namespace {

// The colours that go to one entry (smallest squared distance, first minimum) form a convex set:
// every comparison with another entry is linear in the colour. So when the eight corners of a box
// go to the same entry, its whole inside does.
std::array<std::uint8_t, 32768> standard16BoxEntries(std::uint8_t mixed)
{
    const std::vector<TColor> palette = Standard16Palette();
    std::array<std::uint8_t, 32768> entries{};
    for (int box = 0; box < 32768; ++box) {
        const int r0 = (box >> 10) * 8, g0 = ((box >> 5) & 31) * 8, b0 = (box & 31) * 8;
        const int first = NearestPaletteIndex(palette, RGB(r0, g0, b0));
        bool same = true;
        for (int corner = 1; corner < 8 && same; ++corner)
            same = NearestPaletteIndex(
                       palette, RGB(r0 + (corner & 4 ? 7 : 0), g0 + (corner & 2 ? 7 : 0), b0 + (corner & 1 ? 7 : 0)))
                == first;
        entries[std::size_t(box)] = same ? std::uint8_t(first) : mixed;
    }
    return entries;
}

// Computed once: the palette never changes.
const std::array<std::uint8_t, 32768>& standard16Boxes(std::uint8_t mixed)
{
    static const std::array<std::uint8_t, 32768> entries = standard16BoxEntries(mixed);
    return entries;
}

} // namespace

TQuantizeToStaticColor16::TQuantizeToStaticColor16()
    : nearest_(Standard16Palette()), boxEntries_(standard16Boxes(kMixedBox))
{
    const std::vector<TColor> palette = Standard16Palette();
    for (std::size_t k = 0; k < colours_.size(); ++k)
        colours_[k] = TRGBTriple{std::uint8_t(GetBValue(palette[k])), std::uint8_t(GetGValue(palette[k])),
                                 std::uint8_t(GetRValue(palette[k]))};
}

} // namespace kalvo
