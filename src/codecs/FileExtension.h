#pragma once
// File-name extension rules of the format dispatch, and the one table of formats and extensions
// that both the dispatch and the file dialogs' type lists read.
#include <span>
#include <string>
#include <string_view>

namespace kalvo {

enum class TImageFormat { None, Jpeg, Jpeg2000, Bmp, Gif, Png, Webp, Tiff, Heif };

// One format: its extensions (lower case, without the dot, separated by ';'), the captions of
// its entries in the open and save dialogs. The dialogs list `listed`, the first of which a name
// typed without extension receives on save; the dispatch takes `listed` and `alsoRead`. A format
// without an open caption is not listed in the open dialog (nor under all pictures), one without
// a save caption not offered in the save dialog.
struct TFormatEntry {
    TImageFormat format;
    std::string_view listed;
    std::string_view alsoRead;
    std::string_view openCaption;
    std::string_view saveCaption;
};

// Every format, in the order of the dialogs' type lists.
std::span<const TFormatEntry> FormatTable();
// The extensions of a ';'-separated list, each as a pattern "*.ext", separated by ';'.
std::string ExtensionPatterns(std::string_view extensions);

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
