// GIF routines of the format dispatch.
#include "codecs/AtomicFile.h"
#include "codecs/FormatRoutines.h"
#include "codecs/StdioFile.h"
#include "codecs/gif/GifCodec.h"
#include "image/MappedFile.h"

namespace kalvo {

std::optional<TBitmap> LoadGifFile(TpxImageInfo& info)
{
    info.Result = -1;
    TGifImage gif;
    try {
        const TMappedFile file(info.FileName);
        gif = ReadGif(file.bytes());
    } catch (const std::exception&) {
        return std::nullopt;
    }
    info.Width = gif.bitmap.width();
    info.Height = gif.bitmap.height();
    info.Interlaced = gif.interlaced;
    info.Transparent = gif.transparent;
    info.TransparentColor = gif.transparentColor;
    info.Result = 0;
    return std::move(gif.bitmap);
}

void SaveGifFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    info.Result = -1;
    const TGifSaveOptions options{info.Interlaced, info.Transparent, info.TransparentColor};
    try {
        WriteFileAtomically(info.FileName, [&](const std::string& tempPath) {
            TStdioOutput out(tempPath);
            WriteGif(bitmap, options, out.get());
            out.close();
        });
    } catch (const std::exception&) {
        return;
    }
    info.Result = 0;
}

} // namespace kalvo
