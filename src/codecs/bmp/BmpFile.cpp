// BMP routines of the format dispatch.
#include "codecs/AtomicFile.h"
#include "codecs/FormatRoutines.h"
#include "codecs/bmp/BmpFormat.h"
#include "codecs/bmp/LvDIB.h"
#include "image/ImageErrors.h"

namespace kalvo {

std::optional<TBitmap> LoadBmpFile(TpxImageInfo& info)
{
    info.Result = -1;
    std::optional<TBitmap> result;
    // First attempt: the DIB container's strict reader; second attempt, unguarded: the image
    // bitmap's general reader (RLE files whose data is shorter than the plain rows, newer headers).
    try {
        TLvDIB dib;
        dib.LoadFromFile(info.FileName);
        result = dib.ToBitmap();
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        result.reset();
    }
    if (!result) {
        TBitmap second = ReadBmpFile(info.FileName);
        if (second.empty())
            return std::nullopt;
        result = std::move(second);
    }
    if (result->empty())
        return std::nullopt;
    SetPlainLoadProperties(info, *result);
    info.FailureReason.clear();
    info.Result = 0;
    return result;
}

void SaveBmpFile(const TBitmap& bitmap, TpxImageInfo& info)
{
    info.Result = -1;
    try {
        WriteFileAtomically(info.FileName, [&](const std::string& tempPath) { WriteBmpFile(bitmap, tempPath); });
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        return;
    }
    info.Result = 0;
}

} // namespace kalvo
