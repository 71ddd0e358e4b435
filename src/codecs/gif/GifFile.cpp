// GIF routines of the format dispatch. The codec adapter has not landed yet: loading and
// saving report failure through Result.
#include "codecs/FormatRoutines.h"

namespace kalvo {

std::optional<TBitmap> LoadGifFile(TpxImageInfo& info)
{
    info.Result = -1;
    return std::nullopt;
}

void SaveGifFile(const TBitmap&, TpxImageInfo& info)
{
    info.Result = -1;
}

} // namespace kalvo
