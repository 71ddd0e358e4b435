#include "app/files/PictureLoad.h"

#include "codecs/FormatDispatch.h"

#include <utility>

namespace kalvo {

TPictureLoad::TPictureLoad(std::string fileName)
{
    FRead = std::async(std::launch::async, [name = std::move(fileName)] {
        TRead read;
        read.Info.FileName = name;
        read.Bitmap = LoadImageFile(read.Info);
        return read;
    });
}

std::optional<TBitmap> TPictureLoad::Take(TpxImageInfo& info)
{
    TRead read = FRead.get();
    info.Result = read.Info.Result;
    info.FailureReason = std::move(read.Info.FailureReason);
    info.Width = read.Info.Width;
    info.Height = read.Info.Height;
    info.Interlaced = read.Info.Interlaced;
    info.Transparent = read.Info.Transparent;
    info.TransparentColor = read.Info.TransparentColor;
    info.Metadata = std::move(read.Info.Metadata);
    return std::move(read.Bitmap);
}

} // namespace kalvo
