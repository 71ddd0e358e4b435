#include "imaging/quantize/ErrorDiffusion.h"

namespace kalvo {

TBitmap ErrorDiffusion(const TBitmap& source, const TQuantizeColor& quantiser,
                       const TProgressCallback& progress)
{
    return DiffuseErrors(source, quantiser, progress);
}

} // namespace kalvo
