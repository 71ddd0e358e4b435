#include "imaging/colour/JascPalette.h"

#include <charconv>
#include <cstdint>

namespace kalvo {

namespace {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// A whole token as a 32-bit integer with an optional sign.
std::optional<std::int32_t> parseInteger(std::string_view token)
{
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (token.empty() || error != std::errc() || end != token.data() + token.size())
        return std::nullopt;
    return value;
}

std::string_view trimSpaces(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The first three tokens of an entry line (separated by commas and spaces) as a colour.
std::optional<TColor> parseEntry(std::string_view line)
{
    int channels[3];
    int found = 0;
    std::size_t pos = 0;
    while (found < 3) {
        pos = line.find_first_not_of(", ", pos);
        if (pos == std::string_view::npos)
            return std::nullopt;
        std::size_t end = line.find_first_of(", ", pos);
        if (end == std::string_view::npos)
            end = line.size();
        const auto value = parseInteger(line.substr(pos, end - pos));
        if (!value)
            return std::nullopt;
        channels[found++] = int(std::uint32_t(*value) & 0xFF);
        pos = end;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

} // namespace

std::string JascPaletteText(const std::vector<TColor>& palette)
{
    const std::size_t n = palette.size() < 256 ? palette.size() : 256;
    if (n == 0)
        return {};
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(n) + "\r\n";
    for (std::size_t k = 0; k < n; ++k)
        text += std::to_string(GetRValue(palette[k])) + ' ' + std::to_string(GetGValue(palette[k])) + ' '
            + std::to_string(GetBValue(palette[k])) + "\r\n";
    return text;
}

std::optional<std::vector<TColor>> ParseJascPalette(std::string_view text)
{
    const std::vector<std::string_view> lines = splitLines(text);
    if (lines.size() < 3)
        return std::nullopt;
    const auto count = parseInteger(trimSpaces(lines[2]));
    if (!count || *count < 1 || *count > 256 || lines.size() < std::size_t(*count) + 3)
        return std::nullopt;
    std::vector<TColor> palette;
    for (std::size_t k = 0; k < std::size_t(*count); ++k) {
        const auto colour = parseEntry(lines[k + 3]);
        if (!colour)
            return std::nullopt;
        palette.push_back(*colour);
    }
    return palette;
}

} // namespace kalvo
