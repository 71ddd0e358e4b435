// HEIF routines of the format dispatch: HEIC, HEIF and AVIF files are read, not written.
#include "codecs/CodecRoutines.h"
#include "codecs/FormatRoutines.h"
#include "codecs/heif/HeifCodec.h"

namespace kalvo {

std::optional<TBitmap> LoadHeifFile(TpxImageInfo& info)
{
    return LoadWithDecoder(info, ReadHeif);
}

void SaveHeifFile(TpxImageInfo& info)
{
    info.Result = -1;
    info.FailureReason = "HEIC, HEIF and AVIF files can be opened but not saved";
}

} // namespace kalvo
