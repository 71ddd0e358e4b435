// PNG routines of the format dispatch.
#include "codecs/AtomicFile.h"
#include "codecs/FormatRoutines.h"
#include "codecs/StdioFile.h"
#include "codecs/png/PngCodec.h"
#include "image/MappedFile.h"

namespace kalvo {

std::optional<TBitmap> LoadPngFile(TpxImageInfo& info)
{
    info.Result = -1;
    TPngImage png;
    try {
        const TMappedFile file(info.FileName);
        png = ReadPng(file.bytes());
    } catch (const std::exception&) {
        return std::nullopt;
    }
    info.Width = png.bitmap.width();
    info.Height = png.bitmap.height();
    info.Interlaced = png.interlaced;
    info.Transparent = png.transparent;
    info.TransparentColor = png.transparentColor;
    info.Result = 0;
    return std::move(png.bitmap);
}

void SavePngFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    info.Result = -1;
    const TPngSaveOptions options{info.Interlaced, info.Transparent, info.TransparentColor};
    try {
        WriteFileAtomically(info.FileName, [&](const std::string& tempPath) {
            TStdioOutput out(tempPath);
            WritePng(bitmap, options, out.get());
            out.close();
        });
    } catch (const std::exception&) {
        return;
    }
    info.Result = 0;
}

} // namespace kalvo
