#pragma once
// The median cut as a quantiser for the error diffusion: a colour maps to the palette entry of
// its histogram cell.
#include "imaging/quantize/MedianCut.h"
#include "imaging/quantize/QuantizeColor.h"

#include <array>

namespace kalvo {

class TMedianCutQuantizeColor final : public TQuantizeColor {
public:
    // medianCut must be built and must outlive the quantiser.
    explicit TMedianCutQuantizeColor(const TMedianCut& medianCut);
    void MapColor(TRGBTriple& out, std::uint32_t key) const override { out = colours_[MapIndex(key)]; }
    // The palette index MapColor takes the colour of, and that entry's colour.
    std::uint8_t MapIndex(std::uint32_t key) const { return medianCut_.ColorIndex(key); }
    const TRGBTriple& Colour(std::uint8_t index) const { return colours_[index]; }

private:
    const TMedianCut& medianCut_;
    std::array<TRGBTriple, 256> colours_{};
};

} // namespace kalvo
