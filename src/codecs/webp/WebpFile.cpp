// WebP routines of the format dispatch.
#include "codecs/CodecRoutines.h"
#include "codecs/FormatRoutines.h"
#include "codecs/webp/WebpCodec.h"

namespace kalvo {

std::optional<TBitmap> LoadWebpFile(TpxImageInfo& info)
{
    return LoadWithDecoder(info, ReadWebp);
}

void SaveWebpFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    const TWebpOptions options{info.WebpQuality, info.WebpLossless};
    SaveWithEncoder(info, [&](std::FILE* out) { WriteWebp(bitmap, options, out); });
}

} // namespace kalvo
