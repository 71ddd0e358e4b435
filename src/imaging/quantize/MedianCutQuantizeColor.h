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
    void MapColor(TRGBTriple& out, std::uint32_t key) const override
    {
        out = colours_[medianCut_.ColorIndex(key)];
    }

private:
    const TMedianCut& medianCut_;
    std::array<TRGBTriple, 256> colours_{};
};

} // namespace kalvo
