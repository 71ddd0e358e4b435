// PNG routines of the format dispatch.
#include "codecs/CodecRoutines.h"
#include "codecs/FormatRoutines.h"
#include "codecs/png/PngCodec.h"

namespace kalvo {

std::optional<TBitmap> LoadPngFile(TpxImageInfo& info)
{
    return LoadWithDecoder(info, ReadPng);
}

void SavePngFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    const TImageProperties properties = SaveProperties(info);
    SaveWithEncoder(info, [&](std::FILE* out) { WritePng(bitmap, properties, out); });
}

} // namespace kalvo
