#include "codecs/gif/GifColorMap.h"

#include "codecs/gif/GifCodec.h"
#include "imaging/colour/PixelIndex.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace kalvo {

void UnpackRow(const TBitmap& indexed, int y, std::uint8_t* out)
{
    const std::uint8_t* row = indexed.scanLine(y);
    if (indexed.bitCount() == 8) {
        std::memcpy(out, row, std::size_t(indexed.width()));
        return;
    }
    for (int x = 0; x < indexed.width(); ++x)
        out[x] = std::uint8_t(IndexAt(row, x, indexed.bitCount()));
}

TGifColorMap OptimizeColorMap(const TBitmap& indexed)
{
    std::array<bool, 256> used{};
    std::vector<std::uint8_t> line(std::size_t(indexed.width()));
    for (int y = 0; y < indexed.height(); ++y) {
        UnpackRow(indexed, y, line.data());
        for (std::uint8_t index : line)
            used[index] = true;
    }
    TGifColorMap map;
    std::unordered_map<TColor, std::uint8_t> seen;
    const std::vector<TColor>& palette = indexed.palette();
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (!used[i])
            continue;
        const TColor colour = i < palette.size() ? palette[i] : 0;
        const auto [it, added] = seen.emplace(colour, std::uint8_t(map.colors.size()));
        if (added)
            map.colors.push_back(colour);
        map.remap[i] = it->second;
    }
    return map;
}

int TransparentIndex(TGifColorMap& map, TColor colour)
{
    const auto it = std::find(map.colors.begin(), map.colors.end(), colour);
    if (it != map.colors.end())
        return int(it - map.colors.begin());
    if (map.colors.size() >= 256)
        throw EGifError("GIF: The transparent colour does not fit into the colour map");
    map.colors.push_back(colour);
    return int(map.colors.size()) - 1;
}

std::vector<TColor> PaddedColorTable(const std::vector<TColor>& colors)
{
    std::size_t size = 2;
    while (size < colors.size())
        size *= 2;
    std::vector<TColor> table(colors);
    table.resize(size, 0);
    return table;
}

} // namespace kalvo
