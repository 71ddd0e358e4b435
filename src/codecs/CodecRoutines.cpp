#include "codecs/CodecRoutines.h"

#include "codecs/AtomicFile.h"
#include "codecs/MappedFile.h"
#include "codecs/StdioFile.h"

namespace kalvo {

std::optional<TBitmap> LoadWithDecoder(TpxImageInfo& info, TWholeFileDecoder decode)
{
    info.Result = -1;
    info.FailureReason.clear();
    TDecodedImage image;
    try {
        const TMappedFile file(info.FileName);
        image = decode(file.bytes());
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        return std::nullopt;
    }
    info.Width = image.bitmap.width();
    info.Height = image.bitmap.height();
    info.Interlaced = image.properties.interlaced;
    info.Transparent = image.properties.transparent;
    info.TransparentColor = image.properties.transparentColor;
    info.Metadata = std::move(image.properties.metadata);
    info.Result = 0;
    return std::move(image.bitmap);
}

TImageProperties SaveProperties(const TpxImageInfo& info)
{
    return TImageProperties{info.Interlaced, info.Transparent, info.TransparentColor, info.Metadata};
}

void SaveWithEncoder(TpxImageInfo& info, const std::function<void(std::FILE* out)>& encode)
{
    info.Result = -1;
    info.FailureReason.clear();
    try {
        WriteFileAtomically(info.FileName, [&](const std::string& tempPath) {
            TStdioOutput out(tempPath);
            encode(out.get());
            out.close();
        });
    } catch (const std::exception& e) {
        info.FailureReason = e.what();
        return;
    }
    info.Result = 0;
}

} // namespace kalvo
