#include "imaging/quantize/OctreeQuantizer.h"

#include "imaging/colour/NearestColorIndex.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace kalvo {

namespace {

constexpr int kLeafLevel = 6;

// Calls visit(r, g, b) for every pixel of a 24- or 32-bit bitmap.
template <typename Visit>
void forEachPixel(const TBitmap& bitmap, Visit&& visit)
{
    const std::size_t step = std::size_t(bitmap.bitCount() / 8);
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* p = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, p += step)
            visit(p[2], p[1], p[0]);
    }
}

// The distinct colours in the order first seen, or nothing when there are more than limit.
std::optional<std::vector<TColor>> distinctColors(const TBitmap& bitmap, std::size_t limit)
{
    std::array<std::uint32_t, 1024> slots{}; // colour + 1; 0 = free
    std::vector<TColor> colors;
    std::uint32_t previous = 0;
    bool overflow = false;
    forEachPixel(bitmap, [&](int r, int g, int b) {
        const std::uint32_t key = RGB(r, g, b) + 1;
        if (key == previous || overflow)
            return;
        previous = key;
        std::size_t slot = (key * 2654435761u) >> 22;
        while (slots[slot] != 0 && slots[slot] != key)
            slot = (slot + 1) & (slots.size() - 1);
        if (slots[slot] == key)
            return;
        slots[slot] = key;
        colors.push_back(key - 1);
        overflow = colors.size() > limit;
    });
    if (overflow)
        return std::nullopt;
    return colors;
}

struct TNode {
    std::uint64_t count = 0;
    std::uint64_t red = 0, green = 0, blue = 0; // sums
    int children = 0;                           // non-empty children
};

// Node key on level L: the top L bits of red, green and blue, in that order.
std::size_t childKey(std::size_t key, int level, int octant)
{
    const std::size_t mask = (std::size_t(1) << level) - 1;
    const std::size_t r = ((key >> (2 * level)) << 1) | ((octant >> 2) & 1);
    const std::size_t g = (((key >> level) & mask) << 1) | ((octant >> 1) & 1);
    const std::size_t b = ((key & mask) << 1) | (octant & 1);
    return (r << (2 * (level + 1))) | (g << (level + 1)) | b;
}

std::size_t parentKey(std::size_t key, int level)
{
    const std::size_t mask = (std::size_t(1) << level) - 1;
    const std::size_t r = key >> (2 * level), g = (key >> level) & mask, b = key & mask;
    return ((r >> 1) << (2 * (level - 1))) | ((g >> 1) << (level - 1)) | (b >> 1);
}

class TOctree {
public:
    explicit TOctree(const TBitmap& bitmap);
    std::vector<TColor> reduce(std::size_t maxColors);

private:
    void addLevels();
    std::vector<std::size_t> mergeOrder(int level) const;
    std::vector<TColor> leafColors(int level, const std::vector<bool>& merged) const;
    static TColor mean(const TNode& node);

    std::array<std::vector<TNode>, kLeafLevel + 1> levels_;
};

TOctree::TOctree(const TBitmap& bitmap)
{
    for (int level = 0; level <= kLeafLevel; ++level)
        levels_[std::size_t(level)].resize(std::size_t(1) << (3 * level));
    // Leaves count their pixels and sum the two low bits below the leaf level only.
    struct TCell {
        std::uint32_t count = 0, red = 0, green = 0, blue = 0;
    };
    std::vector<TCell> cells(levels_[kLeafLevel].size());
    forEachPixel(bitmap, [&](int r, int g, int b) {
        TCell& cell = cells[std::size_t(((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2))];
        ++cell.count;
        cell.red += std::uint32_t(r & 3);
        cell.green += std::uint32_t(g & 3);
        cell.blue += std::uint32_t(b & 3);
    });
    for (std::size_t key = 0; key < cells.size(); ++key) {
        const TCell& cell = cells[key];
        TNode& node = levels_[kLeafLevel][key];
        node.count = cell.count;
        node.red = (std::uint64_t(key >> 12) << 2) * cell.count + cell.red;
        node.green = (std::uint64_t((key >> 6) & 63) << 2) * cell.count + cell.green;
        node.blue = (std::uint64_t(key & 63) << 2) * cell.count + cell.blue;
    }
    addLevels();
}

void TOctree::addLevels()
{
    for (int level = kLeafLevel; level > 0; --level) {
        const std::vector<TNode>& nodes = levels_[std::size_t(level)];
        std::vector<TNode>& parents = levels_[std::size_t(level - 1)];
        for (std::size_t key = 0; key < nodes.size(); ++key) {
            if (nodes[key].count == 0)
                continue;
            TNode& parent = parents[parentKey(key, level)];
            parent.count += nodes[key].count;
            parent.red += nodes[key].red;
            parent.green += nodes[key].green;
            parent.blue += nodes[key].blue;
            ++parent.children;
        }
    }
}

// Nodes of a level whose merge removes leaves, fewest pixels first.
std::vector<std::size_t> TOctree::mergeOrder(int level) const
{
    const std::vector<TNode>& nodes = levels_[std::size_t(level)];
    std::vector<std::size_t> order;
    for (std::size_t key = 0; key < nodes.size(); ++key)
        if (nodes[key].children > 1)
            order.push_back(key);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return nodes[a].count < nodes[b].count; });
    return order;
}

TColor TOctree::mean(const TNode& node)
{
    const std::uint64_t n = node.count, half = n / 2;
    return RGB(int((node.red + half) / n), int((node.green + half) / n), int((node.blue + half) / n));
}

// The leaves when merging stopped on level: merged nodes of that level, otherwise their children.
std::vector<TColor> TOctree::leafColors(int level, const std::vector<bool>& merged) const
{
    std::vector<TColor> colors;
    const std::vector<TNode>& nodes = levels_[std::size_t(level)];
    for (std::size_t key = 0; key < nodes.size(); ++key) {
        if (nodes[key].count == 0)
            continue;
        if (level == kLeafLevel || merged[key]) {
            colors.push_back(mean(nodes[key]));
            continue;
        }
        for (int octant = 0; octant < 8; ++octant) {
            const TNode& child = levels_[std::size_t(level + 1)][childKey(key, level, octant)];
            if (child.count != 0)
                colors.push_back(mean(child));
        }
    }
    return colors;
}

std::vector<TColor> TOctree::reduce(std::size_t maxColors)
{
    std::size_t leaves = 0;
    for (const TNode& node : levels_[kLeafLevel])
        leaves += node.count != 0;
    if (leaves <= maxColors)
        return leafColors(kLeafLevel, {});
    for (int level = kLeafLevel - 1;; --level) {
        std::vector<bool> merged(levels_[std::size_t(level)].size(), false);
        for (const std::size_t key : mergeOrder(level)) {
            merged[key] = true;
            leaves -= std::size_t(levels_[std::size_t(level)][key].children - 1);
            if (leaves <= maxColors)
                return leafColors(level, merged);
        }
    }
}

} // namespace

std::vector<TColor> OctreePalette(const TBitmap& source, int maxColors)
{
    if (source.empty())
        return {};
    if (source.bitCount() != 24 && source.bitCount() != 32)
        return OctreePalette(source.toTrueColor(), maxColors);
    const std::size_t limit = std::size_t(std::clamp(maxColors, 1, 256));
    if (auto exact = distinctColors(source, limit))
        return std::move(*exact);
    return TOctree(source).reduce(limit);
}

TBitmap OctreeQuantize(const TBitmap& source, int maxColors)
{
    if (source.empty())
        return TBitmap();
    if (source.bitCount() != 24 && source.bitCount() != 32)
        return OctreeQuantize(source.toTrueColor(), maxColors);
    std::vector<TColor> palette = OctreePalette(source, maxColors);
    const TNearestColorIndex nearest(palette);
    TBitmap result(source.width(), source.height(), 8);
    const std::size_t step = std::size_t(source.bitCount() / 8);
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = source.scanLine(y);
        std::uint8_t* out = result.scanLine(y);
        TColor previous = RGB(in[2], in[1], in[0]);
        int index = nearest.indexOf(previous);
        for (int x = 0; x < source.width(); ++x, in += step) {
            const TColor colour = RGB(in[2], in[1], in[0]);
            if (colour != previous) {
                previous = colour;
                index = nearest.indexOf(in[2], in[1], in[0]);
            }
            out[x] = std::uint8_t(index);
        }
    }
    result.setPalette(std::move(palette));
    result.setTransparent(source.transparent());
    result.setTransparentColor(source.transparentColor());
    return result;
}

} // namespace kalvo
