#include "codecs/exif/ExifBlock.h"

#include <algorithm>

namespace kalvo {

namespace {

constexpr std::uint16_t kTagImageWidth = 0x0100;
constexpr std::uint16_t kTagImageLength = 0x0101;
constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201;
constexpr std::uint16_t kTagThumbnailLength = 0x0202;
constexpr std::uint16_t kTagExifDirectory = 0x8769;
constexpr std::uint16_t kTagGpsDirectory = 0x8825;
constexpr std::uint16_t kTagInteropDirectory = 0xA005;
constexpr std::uint16_t kTagPixelXDimension = 0xA002;
constexpr std::uint16_t kTagPixelYDimension = 0xA003;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;

// Bytes per value of the TIFF field types 1..13; 0 for a type TIFF does not define.
std::size_t TypeSize(std::uint16_t type)
{
    static constexpr std::array<std::uint8_t, 14> sizes = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < sizes.size() ? sizes[type] : 0;
}

struct TRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

struct TEntry {
    std::size_t at = 0; // offset of the 12-byte entry
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    TRange value; // where the value lies (inside the entry when 4 bytes or fewer)
};

// One pass over the structure: checks it and lists every entry with the directory it sits in.
class TExifLayout {
public:
    explicit TExifLayout(std::span<const std::uint8_t> tiff) : data_(tiff) { valid_ = parse(); }

    bool valid() const { return valid_; }
    bool bigEndian() const { return big_; }
    // Entries of the main directory and its sub-directories, and those of the thumbnail directory.
    const std::vector<TEntry>& mainEntries() const { return main_; }
    const std::vector<TEntry>& thumbnailEntries() const { return thumbnail_; }
    // Byte ranges the main directories and their values occupy, and those of the thumbnail.
    const std::vector<TRange>& kept() const { return kept_; }
    const std::vector<TRange>& dropped() const { return dropped_; }
    std::size_t nextLinkOfFirstDirectory() const { return firstLink_; }

    std::uint32_t read(std::size_t at, std::size_t bytes) const
    {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            v = big_ ? (v << 8) | data_[at + i] : v | (std::uint32_t(data_[at + i]) << (8 * i));
        return v;
    }

private:
    bool parse()
    {
        if (data_.size() < 8)
            return false;
        if (data_[0] == 'M' && data_[1] == 'M')
            big_ = true;
        else if (data_[0] != 'I' || data_[1] != 'I')
            return false;
        if (read(2, 2) != 42)
            return false;
        kept_.push_back({0, 8}); // the header, whatever points into it
        if (!directory(read(4, 4), main_, kept_, &firstLink_))
            return false;
        const std::uint32_t next = read(firstLink_, 4);
        // The thumbnail directory; anything it chains to is not followed.
        if (next != 0) {
            if (!directory(next, thumbnail_, dropped_, nullptr))
                return false;
            if (!thumbnailData())
                return false;
        }
        return true;
    }

    // Reads the directory at offset into entries, following sub-directory pointers; linkAt
    // receives where its link to the next directory lies.
    bool directory(std::uint32_t offset, std::vector<TEntry>& entries, std::vector<TRange>& ranges, std::size_t* linkAt)
    {
        if (++directories_ > kMaxExifDirectories || offset < 8 || offset > data_.size() - 2)
            return false;
        if (std::find(visited_.begin(), visited_.end(), offset) != visited_.end())
            return false;
        visited_.push_back(offset);
        const std::size_t count = read(offset, 2);
        const std::size_t end = std::size_t(offset) + 2 + 12 * count + 4;
        if (end > data_.size())
            return false;
        ranges.push_back({offset, end});
        if (linkAt)
            *linkAt = end - 4;
        for (std::size_t i = 0; i < count; ++i) {
            TEntry e;
            e.at = offset + 2 + 12 * i;
            e.tag = std::uint16_t(read(e.at, 2));
            e.type = std::uint16_t(read(e.at + 2, 2));
            e.count = read(e.at + 4, 4);
            const std::size_t size = TypeSize(e.type);
            if (size == 0)
                return false;
            const std::uint64_t bytes = std::uint64_t(size) * e.count;
            if (bytes <= 4) {
                e.value = {e.at + 8, e.at + 8 + std::size_t(bytes)};
            } else {
                const std::uint64_t at = read(e.at + 8, 4);
                if (at + bytes > data_.size())
                    return false;
                e.value = {std::size_t(at), std::size_t(at + bytes)};
                ranges.push_back(e.value);
            }
            entries.push_back(e);
            const bool pointer = e.tag == kTagExifDirectory || e.tag == kTagGpsDirectory
                || e.tag == kTagInteropDirectory;
            if (pointer && &entries == &main_) {
                if ((e.type != kTypeLong && e.type != 13) || e.count != 1)
                    return false;
                if (!directory(read(e.at + 8, 4), entries, ranges, nullptr))
                    return false;
            }
        }
        return true;
    }

    // The compressed thumbnail the thumbnail directory points to, when it names one.
    bool thumbnailData()
    {
        const auto find = [&](std::uint16_t tag) -> const TEntry* {
            for (const TEntry& e : thumbnail_)
                if (e.tag == tag && e.count == 1 && (e.type == kTypeLong || e.type == kTypeShort))
                    return &e;
            return nullptr;
        };
        const TEntry* offset = find(kTagThumbnailOffset);
        const TEntry* length = find(kTagThumbnailLength);
        if (!offset || !length)
            return true;
        const std::uint64_t at = read(offset->value.begin, TypeSize(offset->type));
        const std::uint64_t bytes = read(length->value.begin, TypeSize(length->type));
        if (at + bytes > data_.size())
            return false;
        dropped_.push_back({std::size_t(at), std::size_t(at + bytes)});
        return true;
    }

    std::span<const std::uint8_t> data_;
    bool valid_ = false;
    bool big_ = false;
    int directories_ = 0;
    std::vector<std::uint32_t> visited_;
    std::vector<TEntry> main_, thumbnail_;
    std::vector<TRange> kept_, dropped_;
    std::size_t firstLink_ = 0;
};

void Write(std::span<std::uint8_t> data, bool big, std::size_t at, std::size_t bytes, std::uint32_t v)
{
    for (std::size_t i = 0; i < bytes; ++i)
        data[at + i] = std::uint8_t(big ? v >> (8 * (bytes - 1 - i)) : v >> (8 * i));
}

// Sets a one-value SHORT or LONG entry; a SHORT that cannot hold the value becomes a LONG (the
// value sits inside the entry either way).
void SetNumber(std::span<std::uint8_t> data, bool big, const TEntry& e, std::uint32_t value)
{
    if (e.count != 1 || (e.type != kTypeShort && e.type != kTypeLong))
        return;
    const bool isLong = e.type == kTypeLong || value > 0xFFFF;
    Write(data, big, e.at + 2, 2, isLong ? kTypeLong : kTypeShort);
    Write(data, big, e.at + 8, 4, 0);
    Write(data, big, e.at + 8, isLong ? 4 : 2, value);
}

void Patch(std::span<std::uint8_t> data, const TExifLayout& layout, int orientation, int width, int height)
{
    for (const TEntry& e : layout.mainEntries()) {
        if (e.tag == kTagOrientation)
            SetNumber(data, layout.bigEndian(), e, std::uint32_t(orientation));
        if (width <= 0 || height <= 0)
            continue;
        if (e.tag == kTagPixelXDimension || e.tag == kTagImageWidth)
            SetNumber(data, layout.bigEndian(), e, std::uint32_t(width));
        if (e.tag == kTagPixelYDimension || e.tag == kTagImageLength)
            SetNumber(data, layout.bigEndian(), e, std::uint32_t(height));
    }
}

} // namespace

bool IsWellFormedExif(std::span<const std::uint8_t> tiff)
{
    return TExifLayout(tiff).valid();
}

int ExifOrientation(std::span<const std::uint8_t> tiff)
{
    const TExifLayout layout(tiff);
    if (!layout.valid())
        return 1;
    for (const TEntry& e : layout.mainEntries())
        if (e.tag == kTagOrientation && e.type == kTypeShort && e.count == 1) {
            const std::uint32_t value = layout.read(e.value.begin, 2);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    return 1;
}

std::optional<std::vector<std::uint8_t>> ExifForSavedPicture(std::span<const std::uint8_t> tiff, int width, int height)
{
    const TExifLayout layout(tiff);
    if (!layout.valid())
        return std::nullopt;
    std::vector<std::uint8_t> out(tiff.begin(), tiff.end());
    Patch(out, layout, 1, width, height);
    // Directories that overlap may have changed each other: such a block is dropped.
    const auto checked = [](std::vector<std::uint8_t>& block) -> std::optional<std::vector<std::uint8_t>> {
        if (!IsWellFormedExif(block))
            return std::nullopt;
        return std::move(block);
    };
    if (layout.thumbnailEntries().empty() && layout.dropped().empty())
        return checked(out);
    Write(out, layout.bigEndian(), layout.nextLinkOfFirstDirectory(), 4, 0);
    // Cut the thumbnail off when nothing kept follows it; otherwise clear what only it uses.
    std::size_t keptEnd = 8;
    for (const TRange& r : layout.kept())
        keptEnd = std::max(keptEnd, r.end);
    std::size_t droppedBegin = out.size();
    for (const TRange& r : layout.dropped())
        droppedBegin = std::min(droppedBegin, r.begin);
    if (droppedBegin >= keptEnd) {
        out.resize(keptEnd);
        return checked(out);
    }
    for (const TRange& r : layout.dropped()) {
        const bool shared = std::any_of(layout.kept().begin(), layout.kept().end(),
                                        [&](const TRange& k) { return k.begin < r.end && r.begin < k.end; });
        if (!shared)
            std::fill(out.begin() + std::ptrdiff_t(r.begin), out.begin() + std::ptrdiff_t(r.end), 0);
    }
    return checked(out);
}

bool PatchExifInPlace(std::span<std::uint8_t> tiff, int orientation, int width, int height)
{
    const TExifLayout layout(tiff);
    if (!layout.valid())
        return false;
    std::vector<std::uint8_t> patched(tiff.begin(), tiff.end());
    Patch(patched, layout, orientation, width, height);
    if (!IsWellFormedExif(patched))
        return false;
    std::copy(patched.begin(), patched.end(), tiff.begin());
    return true;
}

} // namespace kalvo
