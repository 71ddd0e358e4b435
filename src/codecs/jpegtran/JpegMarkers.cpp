#include "codecs/jpegtran/JpegMarkers.h"

#include <algorithm>

namespace kalvo {

namespace {

constexpr std::uint8_t kSOI = 0xD8, kEOI = 0xD9, kSOS = 0xDA, kCOM = 0xFE, kAPP0 = 0xE0, kAPP14 = 0xEE;

// A marker segment: its marker code, where it starts (at the FF) and its total size.
struct TSegment {
    std::uint8_t marker = 0;
    std::size_t start = 0;
    std::size_t size = 0;
};

bool standalone(std::uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// The segment at pos (fill bytes skipped), or nothing when the data ends or is malformed.
std::optional<TSegment> segmentAt(std::span<const std::uint8_t> data, std::size_t pos)
{
    if (pos >= data.size() || data[pos] != 0xFF)
        return std::nullopt;
    std::size_t p = pos;
    while (p < data.size() && data[p] == 0xFF)
        ++p;
    if (p >= data.size())
        return std::nullopt;
    TSegment seg{data[p], pos, p + 1 - pos};
    if (standalone(seg.marker) || seg.marker == kSOI || seg.marker == kEOI)
        return seg;
    if (p + 2 >= data.size())
        return std::nullopt;
    const std::size_t length = (std::size_t(data[p + 1]) << 8) | data[p + 2];
    if (length < 2 || p + 1 + length > data.size())
        return std::nullopt;
    seg.size += length;
    return seg;
}

} // namespace

std::optional<std::size_t> FindJpegStart(std::span<const std::uint8_t> data, std::size_t window)
{
    for (std::size_t i = 0; i < window && i + 2 < data.size(); ++i)
        if (data[i] == 0xFF && data[i + 1] == kSOI && data[i + 2] == 0xFF)
            return i;
    return std::nullopt;
}

std::vector<std::uint8_t> CollectCommentSegments(std::span<const std::uint8_t> jpeg)
{
    std::vector<std::uint8_t> comments;
    auto seg = segmentAt(jpeg, 0);
    while (seg && seg->marker != kSOS && seg->marker != kEOI) {
        if (seg->marker == kCOM)
            comments.insert(comments.end(), jpeg.begin() + std::ptrdiff_t(seg->start),
                            jpeg.begin() + std::ptrdiff_t(seg->start + seg->size));
        seg = segmentAt(jpeg, seg->start + seg->size);
    }
    return comments;
}

std::optional<std::pair<std::size_t, std::size_t>> FindExifBlock(std::span<const std::uint8_t> jpeg)
{
    static constexpr std::uint8_t kPrefix[] = {'E', 'x', 'i', 'f', 0, 0};
    auto seg = segmentAt(jpeg, 0);
    while (seg && seg->marker != kSOS && seg->marker != kEOI) {
        const std::size_t end = seg->start + seg->size;
        if (seg->marker == kAPP0 + 1) {
            // Fill bytes, the marker, two length bytes, then the payload.
            std::size_t begin = seg->start;
            while (jpeg[begin] == 0xFF)
                ++begin;
            begin += 3;
            if (end - begin >= sizeof kPrefix
                && std::equal(kPrefix, kPrefix + sizeof kPrefix, jpeg.begin() + std::ptrdiff_t(begin)))
                return std::pair{begin + sizeof kPrefix, end - begin - sizeof kPrefix};
        }
        seg = segmentAt(jpeg, end);
    }
    return std::nullopt;
}

std::vector<std::uint8_t> WithSegmentsAfterHeader(std::span<const std::uint8_t> jpeg,
                                                  std::span<const std::uint8_t> segments)
{
    std::vector<std::uint8_t> result;
    auto seg = segmentAt(jpeg, 0);
    if (!seg || seg->marker != kSOI) {
        result.assign(jpeg.begin(), jpeg.end());
        return result;
    }
    std::size_t at = seg->size;
    for (seg = segmentAt(jpeg, at); seg && (seg->marker == kAPP0 || seg->marker == kAPP14); seg = segmentAt(jpeg, at))
        at = seg->start + seg->size;
    result.reserve(jpeg.size() + segments.size());
    result.insert(result.end(), jpeg.begin(), jpeg.begin() + std::ptrdiff_t(at));
    result.insert(result.end(), segments.begin(), segments.end());
    result.insert(result.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.end());
    return result;
}

} // namespace kalvo
