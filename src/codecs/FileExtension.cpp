#include "codecs/FileExtension.h"

namespace kalvo {

namespace {

std::size_t extensionStart(const std::string& fileName)
{
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string::npos;
    return dot;
}

} // namespace

std::string ExtractFileExt(const std::string& fileName)
{
    const std::size_t dot = extensionStart(fileName);
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

TImageFormat FormatFromFileName(const std::string& fileName)
{
    const std::string ext = AsciiUpper(ExtractFileExt(fileName));
    if (ext == ".JPG" || ext == ".JPE" || ext == ".JPEG")
        return TImageFormat::Jpeg;
    if (ext == ".JP2" || ext == ".JPC" || ext == ".J2C" || ext == ".J2K")
        return TImageFormat::Jpeg2000;
    if (ext == ".BMP" || ext == ".DIB" || ext == ".RLE")
        return TImageFormat::Bmp;
    if (ext == ".GIF")
        return TImageFormat::Gif;
    if (ext == ".PNG")
        return TImageFormat::Png;
    if (ext == ".WEBP")
        return TImageFormat::Webp;
    if (ext == ".TIF" || ext == ".TIFF")
        return TImageFormat::Tiff;
    if (ext == ".HEIC" || ext == ".HEIF" || ext == ".AVIF")
        return TImageFormat::Heif;
    return TImageFormat::None;
}

std::string ExtractFileName(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string ChangeFileExtToNone(const std::string& fileName)
{
    const std::size_t dot = extensionStart(fileName);
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

} // namespace kalvo
