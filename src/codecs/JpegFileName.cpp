#include "codecs/JpegFileName.h"

#include "codecs/FileExtension.h"

namespace kalvo {

bool IsJpegFileName(const std::string& fileName)
{
    return FormatFromFileName(fileName) == TImageFormat::Jpeg;
}

} // namespace kalvo
