#include "codecs/jpeg2000/Jpeg2kSignature.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kalvo {

namespace {

constexpr std::array<std::uint8_t, 12> kJp2Signature = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50,
                                                        0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
constexpr std::array<std::uint8_t, 4> kCodeStreamStart = {0xFF, 0x4F, 0xFF, 0x51};

constexpr std::uint32_t boxType(char a, char b, char c, char d)
{
    return std::uint32_t(std::uint8_t(a)) << 24 | std::uint32_t(std::uint8_t(b)) << 16
        | std::uint32_t(std::uint8_t(c)) << 8 | std::uint32_t(std::uint8_t(d));
}

std::uint64_t readBig(std::span<const std::uint8_t> data, std::size_t at, int bytes)
{
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | data[at + std::size_t(i)];
    return v;
}

struct TBox {
    std::uint32_t type;
    std::span<const std::uint8_t> contents;
};

// The box starting at the front of data, or nothing when its header or length is broken.
std::optional<TBox> firstBox(std::span<const std::uint8_t> data)
{
    if (data.size() < 8)
        return std::nullopt;
    std::uint64_t length = readBig(data, 0, 4);
    std::size_t header = 8;
    if (length == 1) {
        if (data.size() < 16)
            return std::nullopt;
        length = readBig(data, 8, 8);
        header = 16;
    } else if (length == 0) {
        length = data.size();
    }
    if (length < header || length > data.size())
        return std::nullopt;
    return TBox{std::uint32_t(readBig(data, 4, 4)), data.subspan(header, length - header)};
}

// The contents of the first box of the given type among the boxes that fill data.
std::optional<std::span<const std::uint8_t>> findBox(std::span<const std::uint8_t> data, std::uint32_t type)
{
    while (auto box = firstBox(data)) {
        if (box->type == type)
            return box->contents;
        const std::size_t used = std::size_t(box->contents.data() - data.data()) + box->contents.size();
        data = data.subspan(used);
    }
    return std::nullopt;
}

} // namespace

TJpeg2kFormat DetectJpeg2kFormat(std::span<const std::uint8_t> data)
{
    if (data.size() >= kJp2Signature.size() && std::equal(kJp2Signature.begin(), kJp2Signature.end(), data.begin()))
        return TJpeg2kFormat::Jp2;
    if (data.size() >= kCodeStreamStart.size()
        && std::equal(kCodeStreamStart.begin(), kCodeStreamStart.end(), data.begin()))
        return TJpeg2kFormat::CodeStream;
    return TJpeg2kFormat::None;
}

std::optional<TJpeg2kGeometry> ReadJpeg2kGeometry(std::span<const std::uint8_t> data, TJpeg2kFormat format)
{
    if (format == TJpeg2kFormat::Jp2) {
        const auto codeStream = findBox(data, boxType('j', 'p', '2', 'c'));
        if (!codeStream)
            return std::nullopt;
        data = *codeStream;
    }
    // SOC, then SIZ: marker, Lsiz, Rsiz, eight 32-bit grid and tile values, Csiz, 3 bytes a plane.
    if (DetectJpeg2kFormat(data) != TJpeg2kFormat::CodeStream || data.size() < 42)
        return std::nullopt;
    const std::size_t planes = std::size_t(readBig(data, 40, 2));
    if (data.size() < 42 + 3 * planes || readBig(data, 4, 2) < 38 + 3 * planes)
        return std::nullopt;
    TJpeg2kGeometry g;
    g.x1 = std::uint32_t(readBig(data, 8, 4));
    g.y1 = std::uint32_t(readBig(data, 12, 4));
    g.x0 = std::uint32_t(readBig(data, 16, 4));
    g.y0 = std::uint32_t(readBig(data, 20, 4));
    g.tileWidth = std::uint32_t(readBig(data, 24, 4));
    g.tileHeight = std::uint32_t(readBig(data, 28, 4));
    g.tileX0 = std::uint32_t(readBig(data, 32, 4));
    g.tileY0 = std::uint32_t(readBig(data, 36, 4));
    for (std::size_t c = 0; c < planes; ++c) {
        const std::size_t at = 42 + 3 * c;
        g.planes.push_back({data[at + 1], data[at + 2], std::uint32_t((data[at] & 0x7F) + 1)});
    }
    return g;
}

int Jp2PaletteColumns(std::span<const std::uint8_t> data)
{
    const auto header = findBox(data, boxType('j', 'p', '2', 'h'));
    if (!header)
        return 0;
    const auto palette = findBox(*header, boxType('p', 'c', 'l', 'r'));
    // Palette box: number of entries (2 bytes), number of columns (1 byte), ...
    if (!palette || palette->size() < 3)
        return 0;
    return (*palette)[2];
}

} // namespace kalvo
