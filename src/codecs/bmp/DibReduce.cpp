// The DIB container's colour reductions: true colour to 8 or 4 bits over colour classes (Low) or
// over the pixels themselves (High), 8 to 4 bits over the colour table, anything to 1 bit.
#include "codecs/bmp/DibConvert.h"
#include "codecs/bmp/DibMedianSplit.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "imaging/colour/PixelIndex.h"

#include <cmath>
#include <string>

namespace kalvo {

namespace {

void requireBits(const TDibRecord& src, int bits, bool plain, const std::string& message)
{
    if (src.Header.biBitCount != bits || (plain && src.Header.biCompression != BI_RGB))
        throw ELvDIBBadDIBType(message);
}

// The reduced record: same header with the new depth, the palette as its colour table.
TDibRecord reducedRecord(const TDibRecord& src, bool useFMO, int bits, const std::vector<TRGBQuad>& palette)
{
    TDibRecord out = DeriveRecord(src, DibStride(src.Width(), bits) * std::size_t(src.AbsHeight()), useFMO, bits,
                                  BI_RGB);
    out.Colors = {};
    std::copy(palette.begin(), palette.end(), out.Colors.begin());
    out.Header.biClrUsed = std::uint32_t(palette.size());
    return out;
}

inline int trueColorClass(const std::uint8_t* p)
{
    return (p[2] >> 3) * 2048 + (p[1] >> 2) * 32 + (p[0] >> 3);
}

TDibRecord trueColorLow(const TDibRecord& src, bool useFMO, int depth, const TProgressCallback& step, const char* name)
{
    requireBits(src, 24, false, std::string(name) + ": Invalid Bitcount");
    std::vector<TReductionCell> table(65536);
    for (long y = 0; y < src.AbsHeight(); ++y) {
        const std::uint8_t* p = src.Row(y);
        for (long x = 0; x < src.Width(); ++x, p += 3) {
            auto& c = table[trueColorClass(p)];
            c.R += p[2] & 7, c.G += p[1] & 3, c.B += p[0] & 7;
            ++c.Count;
        }
    }
    std::vector<TReductionCell> cells;
    for (int n = 0; n < 65536; ++n) {
        auto c = table[n];
        if (c.Count == 0)
            continue;
        const int i = n >> 11, j = (n >> 5) & 63, k = n & 31;
        c.R = int(c.R / std::int64_t(c.Count)) + 8 * i;
        c.G = int(c.G / std::int64_t(c.Count)) + 4 * j;
        c.B = int(c.B / std::int64_t(c.Count)) + 8 * k;
        c.Class = n;
        cells.push_back(c);
    }
    const auto palette = SplitCells(cells, depth, step);
    std::vector<std::uint8_t> lookup(65536, 0);
    for (const auto& c : cells)
        lookup[c.Class] = std::uint8_t(c.Index);
    const int bits = depth == 8 ? 8 : 4;
    TDibRecord out = reducedRecord(src, useFMO, bits, palette);
    for (long y = 0; y < src.AbsHeight(); ++y) {
        const std::uint8_t* p = src.Row(y);
        std::uint8_t* d = out.Row(y);
        for (long x = 0; x < src.Width(); ++x, p += 3)
            SetIndexAt(d, int(x), bits, lookup[trueColorClass(p)]);
    }
    return out;
}

// The precise reduction: a decision tree over the pixels themselves.
struct PixelTree {
    struct Node {
        int axis = -1; // -1: leaf
        long double threshold = 0;
        int lower = -1, upper = -1;
        int index = 0;
    };
    std::vector<std::array<std::uint8_t, 3>>& px; // red, green, blue
    int limit;
    const TProgressCallback& step;
    std::vector<Node> nodes;
    std::vector<TRGBQuad> palette;
    int nextFree = 1;
    int stepsDone = 0;

    void emptyRange(int depth)
    {
        if (depth == limit) {
            if (step)
                step(++stepsDone);
            return;
        }
        emptyRange(depth + 1);
        emptyRange(depth + 1);
    }

    void split(std::size_t start, std::size_t end, int depth, int node)
    {
        if (start == end) {
            emptyRange(depth);
            return;
        }
        const long double n = (long double)(end - start);
        long double s[3] = {0, 0, 0}, q[3] = {0, 0, 0};
        for (std::size_t i = start; i < end; ++i)
            for (int a = 0; a < 3; ++a) {
                s[a] += px[i][a];
                q[a] += (long double)px[i][a] * px[i][a];
            }
        long double m[3], v[3];
        for (int a = 0; a < 3; ++a) {
            m[a] = s[a] / n;
            v[a] = q[a] / n - m[a] * m[a];
        }
        Node& nd = nodes[std::size_t(node)];
        if (depth == limit) {
            nd.index = int(palette.size());
            palette.push_back({std::uint8_t(std::nearbyint((double)m[2])), std::uint8_t(std::nearbyint((double)m[1])),
                               std::uint8_t(std::nearbyint((double)m[0])), 0});
            if (step)
                step(++stepsDone);
            return;
        }
        int axis = 2;
        if (4 * v[1] <= 3 * v[0] && 2 * v[2] <= 3 * v[0])
            axis = 0;
        else if (3 * v[0] <= 4 * v[1] && 2 * v[2] <= 4 * v[1])
            axis = 1;
        nd.axis = axis;
        nd.threshold = m[axis];
        std::size_t i = start, j = end;
        while (i < j) {
            while (i < j && px[i][axis] <= m[axis])
                ++i;
            while (i < j && px[j - 1][axis] > m[axis])
                --j;
            if (i != j)
                std::swap(px[i], px[j - 1]);
        }
        const int up = nextFree++;
        nodes[std::size_t(node)].upper = up;
        split(i, end, depth + 1, up);
        const int low = nextFree++;
        nodes[std::size_t(node)].lower = low;
        split(start, i, depth + 1, low);
    }

    int classify(const std::uint8_t* bgr) const
    {
        const std::uint8_t rgb[3] = {bgr[2], bgr[1], bgr[0]};
        int node = 0;
        while (node >= 0 && nodes[std::size_t(node)].axis >= 0) {
            const Node& nd = nodes[std::size_t(node)];
            node = nd.threshold >= rgb[nd.axis] ? nd.lower : nd.upper;
        }
        return node >= 0 ? nodes[std::size_t(node)].index : 0;
    }
};

TDibRecord trueColorHigh(const TDibRecord& src, bool useFMO, int depth, const TProgressCallback& step, const char* name)
{
    requireBits(src, 24, false, std::string(name) + ": Invalid Bitcount");
    std::vector<std::array<std::uint8_t, 3>> px;
    px.reserve(std::size_t(src.Width()) * std::size_t(src.AbsHeight()));
    for (long y = 0; y < src.AbsHeight(); ++y) {
        const std::uint8_t* p = src.Row(y);
        for (long x = 0; x < src.Width(); ++x, p += 3)
            px.push_back({p[2], p[1], p[0]});
    }
    PixelTree tree{px, depth, step, std::vector<PixelTree::Node>((std::size_t(2) << depth) - 1), {}};
    tree.split(0, px.size(), 0, 0);
    const int bits = depth == 8 ? 8 : 4;
    TDibRecord out = reducedRecord(src, useFMO, bits, tree.palette);
    for (long y = 0; y < src.AbsHeight(); ++y) {
        const std::uint8_t* p = src.Row(y);
        std::uint8_t* d = out.Row(y);
        for (long x = 0; x < src.Width(); ++x, p += 3)
            SetIndexAt(d, int(x), bits, unsigned(tree.classify(p)));
    }
    return out;
}

TDibRecord toOneBit(const TDibRecord& src, bool useFMO, int bits, TColor bw)
{
    const std::uint8_t r = std::uint8_t(GetRValue(bw)), g = std::uint8_t(GetGValue(bw)),
                       b = std::uint8_t(GetBValue(bw));
    TDibRecord out = reducedRecord(src, useFMO, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}});
    for (long y = 0; y < src.AbsHeight(); ++y) {
        const std::uint8_t* s = src.Row(y);
        std::uint8_t* d = out.Row(y);
        for (long x = 0; x < src.Width(); ++x) {
            std::uint8_t pb, pg, pr;
            if (bits == 24) {
                pb = s[3 * x], pg = s[3 * x + 1], pr = s[3 * x + 2];
            } else {
                const TRGBQuad& c = src.Colors[IndexAt(s, int(x), bits)];
                pb = c.rgbBlue, pg = c.rgbGreen, pr = c.rgbRed;
            }
            SetIndexAt(d, int(x), 1, pr == r && pg == g && pb == b ? 1 : 0);
        }
    }
    return out;
}

} // namespace

TDibRecord ConvertTrueColorTo8BitRGBLow(const TDibRecord& src, bool useFMO, const TProgressCallback& step)
{
    return trueColorLow(src, useFMO, 8, step, "ConvertTrueColorTo8BitRGBLow");
}

TDibRecord ConvertTrueColorTo4BitRGBLow(const TDibRecord& src, bool useFMO, const TProgressCallback& step)
{
    return trueColorLow(src, useFMO, 4, step, "ConvertTrueColorTo4BitRGBLow");
}

TDibRecord ConvertTrueColorTo8BitRGBHigh(const TDibRecord& src, bool useFMO, const TProgressCallback& step)
{
    return trueColorHigh(src, useFMO, 8, step, "ConvertTrueColorTo8BitRGBHigh");
}

TDibRecord ConvertTrueColorTo4BitRGBHigh(const TDibRecord& src, bool useFMO, const TProgressCallback& step)
{
    return trueColorHigh(src, useFMO, 4, step, "ConvertTrueColorTo4BitRGBHigh");
}

TDibRecord Convert8BitRGBTo4BitRGB(const TDibRecord& src, bool useFMO, const TProgressCallback& step)
{
    requireBits(src, 8, true, "Convert8BitRGBTo4BitRGB: Invalid Bitcount or Compression");
    std::vector<TReductionCell> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = {src.Colors[i].rgbRed, src.Colors[i].rgbGreen, src.Colors[i].rgbBlue, 0, i, 0};
    for (long y = 0; y < src.AbsHeight(); ++y)
        for (long x = 0; x < src.Width(); ++x)
            ++table[src.Row(y)[x]].Count;
    std::vector<TReductionCell> cells;
    for (const auto& c : table)
        if (c.Count > 0)
            cells.push_back(c);
    const auto palette = SplitCells(cells, 4, step);
    std::uint8_t map[256] = {};
    for (const auto& c : cells)
        map[c.Class] = std::uint8_t(c.Index);
    TDibRecord out = reducedRecord(src, useFMO, 4, palette);
    for (long y = 0; y < src.AbsHeight(); ++y)
        for (long x = 0; x < src.Width(); ++x)
            SetIndexAt(out.Row(y), int(x), 4, map[src.Row(y)[x]]);
    return out;
}

TDibRecord ConvertTrueColorTo1BitRGB(const TDibRecord& src, bool useFMO, TColor bwColor)
{
    requireBits(src, 24, false, "ConvertTrueColorTo1BitRGB: Invalid Bitcount");
    return toOneBit(src, useFMO, 24, bwColor);
}

TDibRecord Convert8BitTo1BitRGB(const TDibRecord& src, bool useFMO, TColor bwColor)
{
    requireBits(src, 8, true, "Convert8BitTo1BitRGB: Invalid Bitcount or Compression");
    return toOneBit(src, useFMO, 8, bwColor);
}

TDibRecord Convert4BitRGBTo1BitRGB(const TDibRecord& src, bool useFMO, TColor bwColor)
{
    requireBits(src, 4, true, "Convert4BitRGBTo1BitRGB: Invalid Bitcount");
    return toOneBit(src, useFMO, 4, bwColor);
}

} // namespace kalvo
