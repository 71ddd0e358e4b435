#include "codecs/palette/PaletteFile.h"

#include "codecs/AtomicFile.h"
#include "imaging/colour/JascPalette.h"

#include <fstream>
#include <stdexcept>

namespace kalvo {

bool ExportPalette(const std::vector<TColor>& palette, const std::string& fileName)
{
    const std::string text = JascPaletteText(palette);
    if (text.empty())
        return false;
    try {
        WriteFileAtomically(fileName, [&text](const std::string& tempPath) {
            std::ofstream out(tempPath, std::ios::binary | std::ios::trunc);
            out.write(text.data(), std::streamsize(text.size()));
            out.close();
            if (!out)
                throw std::runtime_error("cannot write " + tempPath);
        });
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::optional<std::vector<TColor>> ImportPalette(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        if (text.size() + std::size_t(in.gcount()) > kMaxPaletteFileSize)
            return std::nullopt;
        text.append(buffer, std::size_t(in.gcount()));
    }
    if (in.bad())
        return std::nullopt;
    return ParseJascPalette(text);
}

} // namespace kalvo
