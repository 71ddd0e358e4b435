// GIF routines of the format dispatch.
#include "codecs/CodecRoutines.h"
#include "codecs/FormatRoutines.h"
#include "codecs/gif/GifCodec.h"

namespace kalvo {

std::optional<TBitmap> LoadGifFile(TpxImageInfo& info)
{
    return LoadWithDecoder(info, ReadGif);
}

void SaveGifFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    const TImageProperties properties = SaveProperties(info);
    SaveWithEncoder(info, [&](std::FILE* out) { WriteGif(bitmap, properties, out); });
}

} // namespace kalvo
