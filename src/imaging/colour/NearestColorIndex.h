#pragma once
// Fast nearest-entry lookup in a fixed palette: smallest squared RGB distance, the first minimum
// (lowest index) wins. The colour cube is divided into 8 x 8 x 8 boxes; the first lookup in a box
// collects the entries that can be nearest for some colour in it, later lookups compare only those.
#include "image/Color.h"

#include <cstdint>
#include <vector>

namespace kalvo {

class TNearestColorIndex {
public:
    explicit TNearestColorIndex(const std::vector<TColor>& palette);

    // The index of the nearest entry; 0 for an empty palette. Not thread-safe (the box lists are
    // filled on first use).
    int indexOf(int red, int green, int blue) const;
    int indexOf(TColor colour) const { return indexOf(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

private:
    static constexpr int kBoxes = 32 * 32 * 32;

    void collectCandidates(int box) const;

    std::vector<std::uint8_t> red_, green_, blue_;
    mutable std::vector<std::int32_t> boxStart_; // -1 until the box's candidates are collected
    mutable std::vector<std::uint16_t> boxCount_;
    mutable std::vector<std::uint8_t> candidates_;
};

} // namespace kalvo
