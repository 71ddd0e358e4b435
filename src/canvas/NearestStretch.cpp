#include "canvas/NearestStretch.h"

#include <algorithm>

namespace kalvo {

namespace {

inline std::uint32_t Pixel24(const std::uint8_t* p)
{
    return 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

// 5-5-5 words scaled to 8 bits per channel as the image bitmap reads them.
inline std::uint32_t Pixel555(const std::uint8_t* p)
{
    const unsigned w = unsigned(p[0]) | (unsigned(p[1]) << 8);
    auto expand = [](unsigned c5) { return (c5 << 3) * 255 / 248; };
    return 0xFF000000u | (expand((w >> 10) & 31) << 16) | (expand((w >> 5) & 31) << 8) | expand(w & 31);
}

// Each frame pixel fetched on its own (reducing or near 1:1).
template <class Fetch>
void Gather(const std::vector<int>& columns, std::uint32_t* out, Fetch fetch)
{
    const int n = int(columns.size());
    const int* map = columns.data();
    for (int x = 0; x < n; ++x)
        out[x] = fetch(map[x]);
}

// One fetch per image column, repeated over its run of frame pixels (magnifying).
template <class Fetch>
void Runs(const std::vector<int>& columns, std::uint32_t* out, Fetch fetch)
{
    const int n = int(columns.size());
    const int* map = columns.data();
    int x = 0;
    while (x < n) {
        const int s = map[x];
        const std::uint32_t v = fetch(s);
        int end = x + 1;
        while (end < n && map[end] == s)
            ++end;
        std::fill(out + x, out + end, v);
        x = end;
    }
}

} // namespace

TRowStretcher::TRowStretcher(const TBitmap& image, int left, int sourceWidth, int drawWidth, int zoom)
    : FImage(image), FLeft(left), FRuns(zoom >= 200)
{
    const int last = std::max(0, sourceWidth - 1);
    FColumns.resize(std::size_t(std::max(0, drawWidth)));
    for (int x = 0; x < int(FColumns.size()); ++x)
        FColumns[std::size_t(x)] = left + std::min(int((long long)x * 100 / zoom), last);
    const auto& palette = image.palette();
    for (std::size_t i = 0; i < FLookup.size(); ++i)
        FLookup[i] = FramePixel(i < palette.size() ? palette[i] : 0);
}

void TRowStretcher::Stretch(int y, std::uint32_t* out) const
{
    const std::uint8_t* row = FImage.scanLine(y);
    const auto& lut = FLookup;
    auto run = [&](auto fetch) { FRuns ? Runs(FColumns, out, fetch) : Gather(FColumns, out, fetch); };
    switch (FImage.bitCount()) {
    case 24:
        if (!FRuns && !FColumns.empty() && FColumns.back() - FColumns.front() + 1 == int(FColumns.size())) {
            // 1:1: a straight conversion of the shown part of the row.
            const std::uint8_t* p = row + std::size_t(FLeft) * 3;
            for (std::size_t x = 0; x < FColumns.size(); ++x, p += 3)
                out[x] = Pixel24(p);
            return;
        }
        run([row](int s) { return Pixel24(row + std::size_t(s) * 3); });
        return;
    case 8:
        run([row, &lut](int s) { return lut[row[s]]; });
        return;
    case 4:
        run([row, &lut](int s) { return lut[(row[s >> 1] >> ((~s & 1) << 2)) & 15]; });
        return;
    case 1:
        run([row, &lut](int s) { return lut[(row[s >> 3] >> (7 - (s & 7))) & 1]; });
        return;
    case 16:
        run([row](int s) { return Pixel555(row + std::size_t(s) * 2); });
        return;
    default: // 32 bits: blue, green, red, unused
        run([row](int s) { return Pixel24(row + std::size_t(s) * 4); });
        return;
    }
}

} // namespace kalvo
