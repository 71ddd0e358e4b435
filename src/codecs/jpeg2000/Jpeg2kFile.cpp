// JPEG 2000 routines of the format dispatch. The codec adapter has not landed yet: loading and
// saving report failure through Result.
#include "codecs/FormatRoutines.h"

namespace kalvo {

std::optional<TBitmap> LoadJpeg2kFile(TpxImageInfo& info)
{
    info.Result = -1;
    return std::nullopt;
}

void SaveJpeg2kFile(TBitmap&, TpxImageInfo& info)
{
    info.Result = -1;
}

} // namespace kalvo
