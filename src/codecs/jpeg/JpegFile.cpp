// JPEG routines of the format dispatch. The codec adapter has not landed yet: loading and
// saving report failure through Result.
#include "codecs/FormatRoutines.h"

namespace kalvo {

std::optional<TBitmap> LoadJpegFile(TpxImageInfo& info)
{
    info.Result = -1;
    return std::nullopt;
}

void SaveJpegFile(const TBitmap&, TpxImageInfo& info)
{
    info.Result = -1;
}

} // namespace kalvo
