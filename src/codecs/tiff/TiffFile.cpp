// TIFF routines of the format dispatch.
#include "codecs/CodecRoutines.h"
#include "codecs/FormatRoutines.h"
#include "codecs/tiff/TiffCodec.h"

namespace kalvo {

std::optional<TBitmap> LoadTiffFile(TpxImageInfo& info)
{
    return LoadWithDecoder(info, ReadTiff);
}

void SaveTiffFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    SaveWithEncoder(info, [&](std::FILE* out) { WriteTiff(bitmap, out); });
}

} // namespace kalvo
