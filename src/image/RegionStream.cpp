// The region stream: a 32-byte header and the banded rectangle list, little-endian.
#include "image/ImageErrors.h"
#include "image/Region.h"
#include "image/RegionBuilder.h"
#include "image/StreamErrors.h"

#include <algorithm>
#include <array>
#include <istream>
#include <ostream>
#include <streambuf>

namespace kalvo {

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRectSize = 16;
constexpr std::uint32_t kRectChunk = 4000;
constexpr std::uint32_t kTypeRectangles = 1;

void putLE32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}

std::uint32_t getLE32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

void putRect(std::uint8_t* p, const TRect& r)
{
    putLE32(p, std::uint32_t(r.left));
    putLE32(p + 4, std::uint32_t(r.top));
    putLE32(p + 8, std::uint32_t(r.right));
    putLE32(p + 12, std::uint32_t(r.bottom));
}

TRect getRect(const std::uint8_t* p)
{
    return TRect{std::int32_t(getLE32(p)), std::int32_t(getLE32(p + 4)), std::int32_t(getLE32(p + 8)),
                 std::int32_t(getLE32(p + 12))};
}

std::array<std::uint8_t, kHeaderSize> makeHeader(const TRegion& region, std::uint32_t count)
{
    std::array<std::uint8_t, kHeaderSize> h{};
    putLE32(h.data(), kHeaderSize);
    putLE32(h.data() + 4, kTypeRectangles);
    putLE32(h.data() + 8, count);
    putLE32(h.data() + 12, count * std::uint32_t(kRectSize));
    putRect(h.data() + 16, region.boundingRect());
    return h;
}

// Calls sink(bytes, size) with the whole stream, in pieces of at most 4000 rectangles.
template <class Sink>
void encodeRegion(const TRegion& region, Sink&& sink)
{
    const auto header = makeHeader(region, std::uint32_t(region.rectCount()));
    sink(header.data(), header.size());
    std::vector<std::uint8_t> buffer;
    buffer.reserve(kRectChunk * kRectSize);
    for (const pixman_box32_t& b : region.boxes()) {
        buffer.resize(buffer.size() + kRectSize);
        putRect(buffer.data() + buffer.size() - kRectSize, TRect{b.x1, b.y1, b.x2, b.y2});
        if (buffer.size() == buffer.capacity()) {
            sink(buffer.data(), buffer.size());
            buffer.clear();
        }
    }
    if (!buffer.empty())
        sink(buffer.data(), buffer.size());
}

[[noreturn]] void loadFailure(const char* reason)
{
    throw EPxImageError(std::string("TRegion.LoadFromStream: ") + reason);
}

// Reads exactly size bytes; false when the stream ends first.
bool readFully(std::istream& in, std::uint8_t* data, std::size_t size)
{
    in.read(reinterpret_cast<char*>(data), std::streamsize(size));
    return std::size_t(in.gcount()) == size;
}

// One chunk of rectangles: each must have area and the chunk must be banded on its own.
void checkChunk(const std::vector<TRect>& chunk)
{
    for (std::size_t i = 0; i < chunk.size(); ++i) {
        if (!TRegionBuilder::isUsable(chunk[i]) || (i > 0 && !TRegionBuilder::follows(chunk[i - 1], chunk[i])))
            loadFailure("Cannot Create Region");
    }
}

// Reads the rectangles behind the header chunk by chunk; the result is assembled in one pass
// rather than by repeated unions, so the cost stays linear in the number of rectangles.
// bytesAhead, when known, is the number of bytes the stream still holds: room for the rectangles
// backed by them is reserved at once.
TRegion readRectangles(std::istream& in, const std::uint8_t* header, std::size_t bytesAhead)
{
    std::uint32_t remaining = getLE32(header + 8);
    const bool isRectList = getLE32(header) == kHeaderSize && getLE32(header + 4) == kTypeRectangles;
    TRegionBuilder builder;
    builder.reserve(std::min<std::size_t>(remaining, bytesAhead / kRectSize));
    std::vector<std::uint8_t> bytes;
    std::vector<TRect> chunk;
    while (remaining > 0) {
        const std::uint32_t count = std::min(remaining, kRectChunk);
        bytes.resize(count * kRectSize);
        if (!readFully(in, bytes.data(), bytes.size()))
            throw EReadError();
        if (!isRectList)
            loadFailure("Cannot Create Region");
        chunk.resize(count);
        for (std::uint32_t i = 0; i < count; ++i)
            chunk[i] = getRect(bytes.data() + i * kRectSize);
        checkChunk(chunk);
        for (const TRect& r : chunk) {
            if (!builder.add(r))
                loadFailure("Cannot Add Region");
        }
        remaining -= count;
    }
    return builder.finish();
}

// A read-only stream buffer over bytes in memory.
class SpanBuf : public std::streambuf {
public:
    explicit SpanBuf(std::span<const std::uint8_t> bytes)
    {
        char* begin = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
        setg(begin, begin, begin + bytes.size());
    }
};

} // namespace

void TRegion::SaveToStream(const TRegion& region, std::ostream& out)
{
    encodeRegion(region, [&out](const std::uint8_t* data, std::size_t size) {
        if (!out.write(reinterpret_cast<const char*>(data), std::streamsize(size)))
            throw EWriteError();
    });
}

namespace {

void loadRegion(std::optional<TRegion>& region, std::istream& in, std::size_t bytesAhead)
{
    region.reset();
    std::array<std::uint8_t, kHeaderSize> header{};
    if (!readFully(in, header.data(), header.size()))
        return;
    region = readRectangles(in, header.data(), bytesAhead - std::min(bytesAhead, kHeaderSize));
}

} // namespace

void TRegion::LoadFromStream(std::optional<TRegion>& region, std::istream& in)
{
    loadRegion(region, in, 0);
}

std::vector<std::uint8_t> RegionToBytes(const TRegion& region)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kHeaderSize + region.rectCount() * kRectSize);
    encodeRegion(
        region, [&bytes](const std::uint8_t* data, std::size_t size) { bytes.insert(bytes.end(), data, data + size); });
    return bytes;
}

TRegionRef RegionFromBytes(std::span<const std::uint8_t> bytes)
{
    SpanBuf buffer(bytes);
    std::istream in(&buffer);
    TRegionRef region;
    loadRegion(region, in, bytes.size());
    return region;
}

} // namespace kalvo
