// JPEG 2000 routines of the format dispatch.
#include "codecs/AtomicFile.h"
#include "codecs/FileExtension.h"
#include "codecs/FormatRoutines.h"
#include "codecs/jpeg2000/Jpeg2kEncode.h"
#include "codecs/jpeg2000/TpxJpeg2k.h"
#include "image/ImageErrors.h"

#include <fstream>

namespace kalvo {

namespace {

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, const std::string& target)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.flush();
    if (!out)
        throw EFileError("Cannot write file \"" + target + "\"");
}

} // namespace

std::optional<TBitmap> LoadJpeg2kFile(TpxImageInfo& info)
{
    info.Result = -1;
    try {
        TpxJpeg2k picture;
        picture.LoadFromFile(info.FileName);
        // An empty picture (not JPEG 2000, undecodable) has no size: that ends the load.
        picture.Width();
        picture.Height();
        TBitmap bitmap = picture.ReleaseBitmap();
        SetPlainLoadProperties(info, bitmap);
        info.Result = 0;
        return bitmap;
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        return std::nullopt;
    }
}

void SaveJpeg2kFile(TBitmap& bitmap, TpxImageInfo& info)
{
    info.Result = -1;
    TJpeg2kInfo params;
    params.BitsPerSample = 8;
    params.ColorMode = 1;
    params.Rate = info.Jpeg2kReversible ? 1.0 : info.Jpeg2kQuality / 500.0;
    params.Progression = 0;
    const bool codeStream = AsciiUpper(ExtractFileExt(info.FileName)) != ".JP2";
    // Creating the file and converting the document to 24 bits stand outside the guard: their
    // failures leave as exceptions. Encoding and writing failures show only in Result.
    bool unguarded = true;
    try {
        WriteFileAtomically(info.FileName, [&](const std::string& tempPath) {
            if (bitmap.bitCount() != 24)
                bitmap = bitmap.toTrueColor();
            unguarded = false;
            writeBytes(tempPath, EncodeJpeg2k(bitmap, params, codeStream), info.FileName);
        });
    } catch (const std::exception& e) {
        if (unguarded)
            throw;
        info.FailureReason = e.what();
        return;
    }
    info.Result = 0;
}

} // namespace kalvo
