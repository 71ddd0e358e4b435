#pragma once
// File-name extension rules of the format dispatch.
#include <string>

namespace kalvo {

enum class TImageFormat { None, Jpeg, Jpeg2000, Bmp, Gif, Png, Webp, Tiff, Heif };

// The text from the last "." after the last path delimiter to the end, dot included; empty when
// there is no such dot.
std::string ExtractFileExt(const std::string& fileName);
// Upper-cases the ASCII letters a..z only.
std::string AsciiUpper(std::string text);
// The codec group of a file name by its upper-cased extension; None for anything else.
TImageFormat FormatFromFileName(const std::string& fileName);
// The file name without its directory.
std::string ExtractFileName(const std::string& fileName);
// The file name with its extension (as ExtractFileExt finds it) removed.
std::string ChangeFileExtToNone(const std::string& fileName);

} // namespace kalvo
