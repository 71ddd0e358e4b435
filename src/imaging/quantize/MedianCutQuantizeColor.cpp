#include "imaging/quantize/MedianCutQuantizeColor.h"

namespace kalvo {

TMedianCutQuantizeColor::TMedianCutQuantizeColor(const TMedianCut& medianCut) : medianCut_(medianCut)
{
    for (std::size_t k = 0; k < colours_.size(); ++k) {
        const TRGBQuad& entry = medianCut.Palette()[k];
        colours_[k] = TRGBTriple{entry.rgbBlue, entry.rgbGreen, entry.rgbRed};
    }
}

} // namespace kalvo
