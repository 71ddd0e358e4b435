// JPEG routines of the format dispatch.
#include "codecs/AtomicFile.h"
#include "codecs/FormatRoutines.h"
#include "codecs/exif/ExifBlock.h"
#include "codecs/jpeg/JpegCompressor.h"
#include "codecs/jpeg/JpegDecompressor.h"
#include "codecs/jpeg/JpegMetadata.h"
#include "image/ImageErrors.h"
#include "imaging/geometry/OrientBitmap.h"

#include <cstdint>
#include <fstream>
#include <thread>

namespace kalvo {

namespace {

// A picture of two megapixels or more decodes in two bands on two threads when the machine has
// two processors or more (a 24-MP photo in about two thirds of the time, same pixels).
bool worthBands(const TJPEGDecompressor& jpeg, int kind)
{
    return std::thread::hardware_concurrency() >= 2 && std::int64_t(jpeg.ImageWidth()) * jpeg.ImageHeight() >= 2'000'000
        && jpeg.CanDecodeInBands(kind);
}

// The lower band comes from a second decompressor reading the same file.
TBitmap decodeInBands(TJPEGDecompressor& jpeg, int kind, const std::string& fileName)
{
    const int split = jpeg.BandSplitRow();
    return jpeg.ToBitmapInBands(kind, split, [&](TBitmap& bitmap) {
        std::ifstream in(fileName, std::ios::binary);
        if (!in)
            throw EFileError("Cannot open file \"" + fileName + "\"");
        TJPEGStreamDecompressor lower;
        lower.Attach(in);
        lower.ReadRowsFrom(bitmap, kind, split);
        lower.Detach();
    });
}

} // namespace

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
        const int kind = jpeg.DefaultOutputKind();
        bitmap = worthBands(jpeg, kind) ? decodeInBands(jpeg, kind, info.FileName) : jpeg.ToBitmap(kind);
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
