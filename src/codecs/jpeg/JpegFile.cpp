// JPEG routines of the format dispatch.
#include "codecs/AtomicFile.h"
#include "codecs/FormatRoutines.h"
#include "codecs/exif/ExifBlock.h"
#include "codecs/jpeg/JpegCompressor.h"
#include "codecs/jpeg/JpegDecompressor.h"
#include "codecs/jpeg/JpegMetadata.h"
#include "image/ImageErrors.h"
#include "imaging/geometry/OrientBitmap.h"

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
    bool progressive = false;
    TJpegMetadataReader metadata;
    try {
        TJPEGStreamDecompressor jpeg;
        jpeg.OnAppMarker = [&](int app, std::span<const std::uint8_t> payload) { metadata.addAppMarker(app, payload); };
        jpeg.Attach(in);
        progressive = jpeg.Progressive();
        bitmap = jpeg.ToBitmap(jpeg.DefaultOutputKind());
        jpeg.Detach();
        info.Metadata = metadata.take();
        // Shown as the camera meant it: turned upright by the EXIF orientation.
        const int orientation = ExifOrientation(info.Metadata.Exif);
        if (orientation != 1)
            bitmap = OrientBitmap(*bitmap, TOrientation(orientation));
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        info.Metadata.clear();
        return std::nullopt;
    }
    info.Width = bitmap->width();
    info.Height = bitmap->height();
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
        jpeg.OnWriteMarkers = [&] { WriteJpegMetadata(jpeg, info.Metadata, bitmap.width(), bitmap.height()); };
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
