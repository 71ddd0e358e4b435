#include "codecs/FileExtension.h"

#include <algorithm>

namespace kalvo {

namespace {

constexpr TFormatEntry kFormats[] = {
    {TImageFormat::Bmp, "bmp;dib", "rle", "ビットマップ イメージ(*.bmp;*.dib)", "ビットマップ イメージ(*.bmp)"},
    {TImageFormat::Jpeg, "jpg;jpeg;jpe", "", "JPEG イメージ(*.jpg;*.jpeg;*.jpe)", "JPEG イメージ(*.jpg)"},
    {TImageFormat::Jpeg2000, "jp2;j2k", "jpc;j2c", "JPEG2000 イメージ(*.jp2)", "JPEG2000 イメージ(*.jp2)"},
    {TImageFormat::Png, "png", "", "PNG イメージ(*.png)", "PNG イメージ(*.png)"},
    {TImageFormat::Gif, "gif", "", "GIF イメージ(*.gif)", "GIF イメージ(*.gif)"},
    {TImageFormat::Webp, "webp", "", "WebP イメージ(*.webp)", "WebP イメージ(*.webp)"},
    {TImageFormat::Tiff, "tif;tiff", "", "TIFF イメージ(*.tif;*.tiff)", "TIFF イメージ(*.tif)"},
    {TImageFormat::Heif, "heic;heif;avif", "", "HEIF イメージ(*.heic;*.heif;*.avif)", ""},
};

// Calls each(extension) for every extension of a ';'-separated list; stops at the first true.
template <class Each>
bool anyExtension(std::string_view list, Each&& each)
{
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        if (each(list.substr(0, end)))
            return true;
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

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

std::span<const TFormatEntry> FormatTable()
{
    return kFormats;
}

std::string ExtensionPatterns(std::string_view extensions)
{
    std::string patterns;
    anyExtension(extensions, [&](std::string_view ext) {
        patterns += patterns.empty() ? "*." : ";*.";
        patterns += ext;
        return false;
    });
    return patterns;
}

TImageFormat FormatFromFileName(const std::string& fileName)
{
    const std::string ext = AsciiUpper(ExtractFileExt(fileName));
    if (ext.size() < 2)
        return TImageFormat::None;
    const auto matches = [&](std::string_view candidate) {
        return AsciiUpper(std::string(candidate)) == ext.substr(1);
    };
    for (const TFormatEntry& entry : kFormats)
        if (anyExtension(entry.listed, matches) || anyExtension(entry.alsoRead, matches))
            return entry.format;
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
