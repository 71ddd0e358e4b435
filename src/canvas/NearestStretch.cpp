#include "canvas/NearestStretch.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

namespace kalvo {

namespace {

inline std::uint32_t Pixel24(const std::uint8_t* p)
{
    return 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

inline std::uint32_t Load32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// 5-5-5 words scaled to 8 bits per channel as the image bitmap reads them.
inline std::uint32_t Pixel555(const std::uint8_t* p)
{
    const unsigned w = unsigned(p[0]) | (unsigned(p[1]) << 8);
    auto expand = [](unsigned c5) { return (c5 << 3) * 255 / 248; };
    return 0xFF000000u | (expand((w >> 10) & 31) << 16) | (expand((w >> 5) & 31) << 8) | expand(w & 31);
}

// Blue, green, red triples to frame pixels, four at a time from three 32-bit loads.
void Convert24Scalar(const std::uint8_t* p, std::uint32_t* out, int n)
{
    int x = 0;
    for (; x + 4 <= n; x += 4, p += 12) {
        const std::uint32_t a = Load32(p), b = Load32(p + 4), c = Load32(p + 8);
        out[x] = 0xFF000000u | (a & 0xFFFFFF);
        out[x + 1] = 0xFF000000u | (a >> 24) | ((b & 0xFFFF) << 8);
        out[x + 2] = 0xFF000000u | (b >> 16) | ((c & 0xFF) << 16);
        out[x + 3] = 0xFF000000u | (c >> 8);
    }
    for (; x < n; ++x, p += 3)
        out[x] = Pixel24(p);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with one byte shuffle per four pixels on processors that have it.
__attribute__((target("ssse3"))) void Convert24Ssse3(const std::uint8_t* p, std::uint32_t* out, int n)
{
    const __m128i order = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
    int x = 0;
    // A 16-byte load covers four pixels and four bytes more: stop while those lie in the row.
    for (; x + 6 <= n; x += 4, p += 12) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(_mm_shuffle_epi8(v, order), alpha));
    }
    Convert24Scalar(p, out + x, n - x);
}

void Convert24(const std::uint8_t* p, std::uint32_t* out, int n)
{
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    ssse3 ? Convert24Ssse3(p, out, n) : Convert24Scalar(p, out, n);
}
#else
void Convert24(const std::uint8_t* p, std::uint32_t* out, int n)
{
    Convert24Scalar(p, out, n);
}
#endif

void Convert8(const std::uint8_t* p, std::uint32_t* out, int n, const std::array<std::uint32_t, 256>& lut)
{
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const std::uint32_t v = Load32(p + x);
        out[x] = lut[v & 0xFF];
        out[x + 1] = lut[(v >> 8) & 0xFF];
        out[x + 2] = lut[(v >> 16) & 0xFF];
        out[x + 3] = lut[v >> 24];
    }
    for (; x < n; ++x)
        out[x] = lut[p[x]];
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

// One fetch per source column, repeated over its run of frame pixels (magnifying).
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

TStretchSource TStretchSource::Of(const TBitmap& image)
{
    return {image.bits(), image.stride(), image.width(), image.bitCount(), &image.palette()};
}

TStretchSource TStretchSource::OfFrame(const QImage& frame)
{
    return {frame.constBits(), std::size_t(frame.bytesPerLine()), frame.width(), 0, nullptr};
}

std::vector<int> ColumnMap(int left, int sourceWidth, int drawWidth, int zoom, int reduction)
{
    const int last = std::max(0, sourceWidth - 1);
    std::vector<int> columns(std::size_t(std::max(0, drawWidth)));
    for (int x = 0; x < int(columns.size()); ++x)
        columns[std::size_t(x)] = (left + std::min(int((long long)x * 100 / zoom), last)) / reduction;
    return columns;
}

TRowStretcher::TRowStretcher(const TStretchSource& source, std::vector<int> columns)
    : FSource(source), FColumns(std::move(columns))
{
    const std::size_t n = FColumns.size();
    FIdentity = n > 0 && FColumns.back() - FColumns.front() + 1 == int(n);
    // Runs pay off once a source column covers two or more frame pixels on average.
    FRuns = !FIdentity && n > 0 && int(n) >= 2 * (FColumns.back() - FColumns.front() + 1);
    if (FSource.Palette)
        for (std::size_t i = 0; i < FLookup.size(); ++i)
            FLookup[i] = FramePixel(i < FSource.Palette->size() ? (*FSource.Palette)[i] : 0);
}

void TRowStretcher::Stretch(int y, std::uint32_t* out) const
{
    const std::uint8_t* row = FSource.Row(y);
    const auto& lut = FLookup;
    const int n = int(FColumns.size());
    const int first = n > 0 ? FColumns.front() : 0;
    auto run = [&](auto fetch) { FRuns ? Runs(FColumns, out, fetch) : Gather(FColumns, out, fetch); };
    switch (FSource.BitCount) {
    case 0: {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(row);
        if (FIdentity)
            std::memcpy(out, pixels + first, std::size_t(n) * 4);
        else
            run([pixels](int s) { return pixels[s]; });
        return;
    }
    case 24:
        if (FIdentity)
            Convert24(row + std::size_t(first) * 3, out, n);
        else
            run([row](int s) { return Pixel24(row + std::size_t(s) * 3); });
        return;
    case 8:
        if (FIdentity)
            Convert8(row + first, out, n, lut);
        else
            run([row, &lut](int s) { return lut[row[s]]; });
        return;
    case 4: run([row, &lut](int s) { return lut[(row[s >> 1] >> ((~s & 1) << 2)) & 15]; }); return;
    case 1: run([row, &lut](int s) { return lut[(row[s >> 3] >> (7 - (s & 7))) & 1]; }); return;
    case 16: run([row](int s) { return Pixel555(row + std::size_t(s) * 2); }); return;
    default: // 32 bits: blue, green, red, unused
        run([row](int s) { return Pixel24(row + std::size_t(s) * 4); });
        return;
    }
}

} // namespace kalvo
