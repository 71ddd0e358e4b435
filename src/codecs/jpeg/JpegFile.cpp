// JPEG routines of the format dispatch.
#include "codecs/AtomicFile.h"
#include "codecs/FormatRoutines.h"
#include "codecs/jpeg/JpegCompressor.h"
#include "codecs/jpeg/JpegDecompressor.h"
#include "image/ImageErrors.h"

#include <fstream>

namespace kalvo {

std::optional<TBitmap> LoadJpegFile(TpxImageInfo& info)
{
    info.Result = -1;
    // Opening the file stands outside the guarded block: a failure leaves as an exception.
    std::ifstream in(info.FileName, std::ios::binary);
    if (!in)
        throw EFileError("Cannot open file \"" + info.FileName + "\"");
    std::optional<TBitmap> bitmap;
    int width = 0, height = 0;
    bool progressive = false;
    try {
        TJPEGStreamDecompressor jpeg;
        jpeg.Attach(in);
        width = jpeg.ImageWidth();
        height = jpeg.ImageHeight();
        progressive = jpeg.Progressive();
        bitmap = jpeg.ToBitmap(jpeg.DefaultOutputKind());
        jpeg.Detach();
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        return std::nullopt;
    }
    info.Width = width;
    info.Height = height;
    info.Interlaced = progressive;
    info.Transparent = false;
    info.TransparentColor = 0;
    info.Result = 0;
    return bitmap;
}

void SaveJpegFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    info.Result = -1;
    try {
        TJPEGFileCompressor jpeg;
        jpeg.setQuality(info.JpegQuality);
        jpeg.ProgressiveJPEG = info.Interlaced;
        WriteFileAtomically(info.FileName, [&](const std::string& tempPath) {
            std::ofstream out(tempPath, std::ios::binary | std::ios::trunc);
            if (!out)
                throw EFileError("Cannot write file \"" + info.FileName + "\"");
            jpeg.CompressToStream(bitmap, out);
            out.flush();
            if (!out)
                throw EFileError("Cannot write file \"" + info.FileName + "\"");
        });
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        return;
    }
    info.Result = 0;
}

} // namespace kalvo
