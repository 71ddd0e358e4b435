#include "codecs/JpegFileName.h"

#include "codecs/FileExtension.h"

namespace kalvo {

bool IsJpegFileName(const std::string& fileName)
{
    const std::string ext = AsciiUpper(ExtractFileExt(fileName));
    return ext == ".JPG" || ext == ".JPE" || ext == ".JPEG";
}

} // namespace kalvo
