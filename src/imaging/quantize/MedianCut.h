#pragma once
// The median-cut quantiser over a fixed histogram of 64 x 64 x 32 colour cells (red and green
// by their top six bits, blue by its top five).
#include "image/Color.h"
#include "image/Palette.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvo {

struct TMedianCutCell {
    std::uint16_t Index = 0; // palette index, written by the split
    std::uint32_t Cell = 0;  // the cell's own number, kept through reordering
    std::uint32_t Count = 0; // pixels that fell into the cell
    // First the sums of the low bits (red and 3, green and 3, blue and 7), after Build the cell's
    // mean colour.
    std::uint32_t R = 0;
    std::uint32_t G = 0;
    std::uint32_t B = 0;
};

// Lives for one reduction: add every pixel, Build once, then look colours up. The sums hold up to
// 2^29 pixels.
class TMedianCut {
public:
    static constexpr std::size_t kCells = 131072;

    TMedianCut();

    // The histogram cell of key 0x00RRGGBB: (R shr 2)*2048 + (G shr 2)*32 + (B shr 3).
    static std::uint32_t CellOf(std::uint32_t key)
    {
        return (((key >> 18) & 63) << 11) | (((key >> 10) & 63) << 5) | ((key >> 3) & 31);
    }

    void AddColor(std::uint32_t key)
    {
        TMedianCutCell& cell = cells_[CellOf(key)];
        ++cell.Count;
        cell.R += (key >> 16) & 3;
        cell.G += (key >> 8) & 3;
        cell.B += key & 7;
    }

    // Builds a palette of at most 2^depth entries (depth 0..8). With compact only the cells that
    // hold pixels take part and the others map to index 0; without it every cell takes part, so
    // that every colour maps to an entry.
    void Build(int depth, bool compact);

    // Palette index of key's cell.
    std::uint8_t ColorIndex(std::uint32_t key) const { return lookup_[CellOf(key)]; }
    // Palette index of a cell (0 .. kCells - 1).
    std::uint8_t CellIndex(std::uint32_t cell) const { return lookup_[cell]; }
    // The built palette (PaletteSize entries, colours with red in the low byte).
    std::vector<TColor> MakePalette() const;
    int PaletteSize() const { return paletteSize_; }
    const std::array<TRGBQuad, 256>& Palette() const { return palette_; }
    // The cell table (after Build: participating cells first, in split order).
    const std::vector<TMedianCutCell>& Cells() const { return cells_; }

private:
    class TSplitPolicy;

    void computeCellColours();
    std::size_t compactCells();

    std::vector<TMedianCutCell> cells_;
    std::vector<std::uint8_t> lookup_;
    int paletteSize_ = 0;
    std::array<TRGBQuad, 256> palette_{};
};

} // namespace kalvo
