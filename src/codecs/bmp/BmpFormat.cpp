#include "codecs/bmp/BmpFormat.h"

#include "codecs/MappedFile.h"
#include "codecs/bmp/BitFieldMask.h"
#include "codecs/bmp/RleDecode.h"
#include "image/ImageErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/uio.h>
#include <unistd.h>

namespace kalvo {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
// Compressed data may expand at most this much; a tiny file cannot claim a huge picture.
constexpr std::size_t kMaxRleExpansion = 4096;

[[noreturn]] void invalid(const std::string& reason)
{
    throw EInvalidGraphic("TBitmap.LoadFromStream: " + reason);
}

std::uint16_t u16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

struct BmpHeader {
    std::uint32_t headerSize = 0;
    long width = 0;
    long height = 0; // negative: top-down
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t clrUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    bool hasMasks = false;
};

TMaskScale maskScale(std::uint32_t mask)
{
    if (mask == 0)
        invalid("Invalid Masks");
    return MaskScaleOf(mask);
}

BmpHeader parseHeader(std::span<const std::uint8_t> data, std::size_t& pos)
{
    BmpHeader h;
    if (data.size() < 14 + 4)
        invalid("File is too short");
    if (u16(data.data()) != 0x4D42)
        invalid("File type is invalid");
    pos = 14;
    h.headerSize = u32(data.data() + pos);
    const std::uint32_t hs = h.headerSize;
    if (hs != 12 && hs != 16 && hs != 40 && hs != 52 && hs != 56 && hs != 64 && hs != 108 && hs != 124)
        invalid("Invalid Bitmap Header Size");
    if (data.size() - pos < hs)
        invalid("Header is truncated");
    const std::uint8_t* p = data.data() + pos;
    if (hs == 12) {
        h.width = u16(p + 4);
        h.height = u16(p + 6);
        h.bitCount = u16(p + 10);
    } else {
        h.width = std::int32_t(u32(p + 4));
        h.height = std::int32_t(u32(p + 8));
        h.bitCount = u16(p + 14);
        if (hs >= 40) {
            h.compression = u32(p + 16);
            h.clrUsed = u32(p + 32);
        }
        if (hs >= 52) {
            h.masks[0] = u32(p + 40);
            h.masks[1] = u32(p + 44);
            h.masks[2] = u32(p + 48);
            h.hasMasks = true;
        }
    }
    pos += hs;
    if (hs == 64 && h.compression == kBiBitfields)
        invalid("Unsupported compression"); // OS/2 Huffman coding shares this value
    if ((h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) && hs == 40) {
        const std::size_t maskBytes = h.compression == kBiAlphaBitfields ? 16 : 12;
        if (data.size() - pos < maskBytes)
            invalid("Header is truncated");
        for (int i = 0; i < 3; ++i)
            h.masks[i] = u32(data.data() + pos + 4 * i);
        h.hasMasks = true;
        pos += maskBytes;
    }
    return h;
}

void checkHeader(const BmpHeader& h)
{
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24
        && h.bitCount != 32)
        invalid("Invalid BitCount");
    if (h.width <= 0 || h.height == 0 || h.height < -TBitmap::kMaxDimension)
        invalid("Invalid Width or Height");
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    if ((h.compression == kBiRle8 && h.bitCount != 8) || (h.compression == kBiRle4 && h.bitCount != 4))
        invalid("Invalid Bitcount & Compression Combination");
    const bool fields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    if (fields && h.bitCount != 16 && h.bitCount != 32)
        invalid("Invalid Bitcount & Compression Combination");
    if (!rle && !fields && h.compression != kBiRgb)
        invalid("Unsupported compression");
    const long absHeight = h.height < 0 ? -h.height : h.height;
    const int outBits = h.bitCount > 8 ? 24 : h.bitCount;
    if (!TBitmap::fitsBounds(int(std::min<long>(h.width, TBitmap::kMaxDimension + 1L)),
                             int(std::min<long>(absHeight, TBitmap::kMaxDimension + 1L)), outBits))
        invalid("Image is too large");
}

std::vector<TColor> readColorTable(std::span<const std::uint8_t> data, std::size_t& pos, const BmpHeader& h)
{
    std::size_t count = 0;
    if (h.bitCount <= 8)
        count = h.clrUsed == 0 ? (std::size_t(1) << h.bitCount) : h.clrUsed;
    else if (h.headerSize != 12)
        count = h.clrUsed; // a colour table beside true-colour pixels is skipped
    const std::size_t entrySize = h.headerSize == 12 ? 3 : 4;
    if (h.bitCount > 8) {
        pos += std::min(count * entrySize, data.size() - pos);
        return {};
    }
    if (count > 256)
        count = std::min<std::size_t>(count, (data.size() - pos) / entrySize);
    if (count > (data.size() - pos) / entrySize)
        invalid("Colour table is truncated");
    std::vector<TColor> palette;
    const std::size_t keep = std::min<std::size_t>(count, 256);
    palette.reserve(keep);
    for (std::size_t i = 0; i < keep; ++i) {
        const std::uint8_t* e = data.data() + pos + i * entrySize;
        palette.push_back(RGB(e[2], e[1], e[0]));
    }
    pos += count * entrySize;
    return palette;
}

void readPlainRows(std::span<const std::uint8_t> data, std::size_t offset, const BmpHeader& h, TBitmap& bmp)
{
    const std::size_t stride = TBitmap::strideFor(int(h.width), h.bitCount);
    const int height = bmp.height();
    const std::size_t lastRow = (std::size_t(h.width) * h.bitCount + 7) / 8;
    if (offset > data.size() || (data.size() - offset) < stride * std::size_t(height - 1) + lastRow)
        invalid("Pixel data is truncated");
    const bool topDown = h.height < 0;
    const std::uint8_t* src = data.data() + offset;
    if (h.bitCount <= 8 || h.bitCount == 24) {
        for (int i = 0; i < height; ++i) {
            const int y = topDown ? i : height - 1 - i;
            const std::size_t n = i == height - 1 ? std::min(stride, data.size() - offset - stride * i) : stride;
            std::memcpy(bmp.scanLine(y), src + stride * std::size_t(i), n);
        }
        return;
    }
    TMaskScale m[3];
    if (h.hasMasks && (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields)) {
        for (int c = 0; c < 3; ++c)
            m[c] = maskScale(h.masks[c]);
    } else if (h.bitCount == 16) {
        m[0] = maskScale(0x7C00), m[1] = maskScale(0x03E0), m[2] = maskScale(0x001F);
    } else {
        m[0] = maskScale(0xFF0000), m[1] = maskScale(0x00FF00), m[2] = maskScale(0x0000FF);
    }
    const int bytesPerPixel = h.bitCount / 8;
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        const std::uint8_t* s = src + stride * std::size_t(i);
        std::uint8_t* d = bmp.scanLine(y);
        for (long x = 0; x < h.width; ++x, s += bytesPerPixel, d += 3) {
            const std::uint32_t v = bytesPerPixel == 2 ? u16(s) : u32(s);
            d[0] = MaskChannel(v, m[2]);
            d[1] = MaskChannel(v, m[1]);
            d[2] = MaskChannel(v, m[0]);
        }
    }
}

} // namespace

TBitmap ReadBmp(std::span<const std::uint8_t> data)
{
    std::size_t pos = 0;
    const BmpHeader h = parseHeader(data, pos);
    checkHeader(h);
    std::vector<TColor> palette = readColorTable(data, pos, h);

    const std::uint32_t offBits = u32(data.data() + 10);
    std::size_t offset = pos;
    if (offBits >= pos && offBits < data.size())
        offset = offBits;

    const int width = int(h.width);
    const int height = int(h.height < 0 ? -h.height : h.height);
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    // Compressed data is everything from bfOffBits to the end of the file; none at all is no picture.
    if (rle && offBits >= data.size())
        invalid("Pixel data is truncated");
    const int outBits = h.bitCount > 8 ? 24 : h.bitCount;
    if (rle) {
        const std::size_t available = data.size() - std::min(offset, data.size());
        if (TBitmap::strideFor(width, outBits) * std::size_t(height) > (available + 4096) * kMaxRleExpansion)
            invalid("Image is too large for its data");
    }
    TBitmap bmp(width, height, outBits);
    if (outBits <= 8) {
        if (palette.empty())
            palette = DefaultPalette(outBits);
        bmp.setPalette(std::move(palette));
    }
    if (rle) {
        const auto compressed = data.subspan(std::min(offset, data.size()));
        // Bottom-up data decodes from the last row of our top-down memory upwards.
        const bool topDown = h.height < 0;
        std::uint8_t* first = topDown ? bmp.scanLine(0) : bmp.scanLine(height - 1);
        const std::ptrdiff_t step = topDown ? std::ptrdiff_t(bmp.stride()) : -std::ptrdiff_t(bmp.stride());
        if (h.compression == kBiRle8)
            DecodeRle8(compressed, width, height, first, step, TRleMode::Lenient);
        else
            DecodeRle4(compressed, width, height, first, step, TRleMode::Lenient);
    } else {
        readPlainRows(data, offset, h, bmp);
    }
    return bmp;
}

TBitmap ReadBmpFile(const std::string& fileName)
{
    TMappedFile file(fileName);
    return ReadBmp(file.bytes());
}

namespace {

void put16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}

} // namespace

namespace {

// File header, information header and colour table of the uncompressed BMP of bitmap.
std::vector<std::uint8_t> bmpHead(const TBitmap& bitmap)
{
    if (bitmap.empty())
        throw EInvalidGraphic("TBitmap.SaveToStream: Image is empty");
    std::vector<TColor> palette;
    if (bitmap.bitCount() <= 8) {
        palette = bitmap.palette();
        if (palette.empty())
            palette = DefaultPalette(bitmap.bitCount());
    }
    const std::size_t stride = bitmap.stride();
    const std::size_t imageSize = stride * std::size_t(bitmap.height());
    const std::uint32_t offBits = std::uint32_t(54 + palette.size() * 4);
    std::vector<std::uint8_t> head(offBits, 0);
    std::uint8_t* p = head.data();
    put16(p, 0x4D42);
    put32(p + 2, std::uint32_t(offBits + imageSize));
    put32(p + 10, offBits);
    put32(p + 14, 40);
    put32(p + 18, std::uint32_t(bitmap.width()));
    put32(p + 22, std::uint32_t(bitmap.height()));
    put16(p + 26, 1);
    put16(p + 28, std::uint16_t(bitmap.bitCount()));
    put32(p + 30, kBiRgb);
    put32(p + 34, std::uint32_t(imageSize));
    put32(p + 38, 3780);
    put32(p + 42, 3780);
    put32(p + 46, std::uint32_t(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        std::uint8_t* e = p + 54 + 4 * i;
        e[0] = std::uint8_t(GetBValue(palette[i]));
        e[1] = std::uint8_t(GetGValue(palette[i]));
        e[2] = std::uint8_t(GetRValue(palette[i]));
    }
    return head;
}

} // namespace

void WriteBmp(const TBitmap& bitmap, std::ostream& out)
{
    const std::vector<std::uint8_t> head = bmpHead(bitmap);
    const std::size_t stride = bitmap.stride();
    out.write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
    for (int y = bitmap.height() - 1; y >= 0 && out; --y)
        out.write(reinterpret_cast<const char*>(bitmap.scanLine(y)), std::streamsize(stride));
    if (!out)
        throw EFileError("TBitmap.SaveToStream: Write error");
}

void AppendBmp(const TBitmap& bitmap, TByteBuffer& out)
{
    const std::vector<std::uint8_t> head = bmpHead(bitmap);
    const std::size_t stride = bitmap.stride();
    const std::size_t start = out.size();
    out.resize(start + head.size() + stride * std::size_t(bitmap.height()));
    std::uint8_t* p = out.data() + start;
    std::memcpy(p, head.data(), head.size());
    p += head.size();
    for (int y = bitmap.height() - 1; y >= 0; --y, p += stride)
        std::memcpy(p, bitmap.scanLine(y), stride);
}

void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName)
{
    const std::vector<std::uint8_t> head = bmpHead(bitmap);
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw EFileError("Cannot create file \"" + fileName + "\": " + std::strerror(errno));
    // Reserving the file's blocks first spares the file system allocating them while the
    // finished file is renamed into place.
    // A full disk shows here, before anything is written.
    if (::posix_fallocate(fd, 0, off_t(head.size() + bitmap.stride() * std::size_t(bitmap.height()))) == ENOSPC) {
        ::close(fd);
        throw EFileError("Cannot write file \"" + fileName + "\": " + std::strerror(ENOSPC));
    }
    // The rows go out bottom-up, up to 1024 of them per system call, without a copy.
    std::vector<iovec> iov;
    iov.push_back({const_cast<std::uint8_t*>(head.data()), head.size()});
    auto flush = [&] {
        std::size_t i = 0;
        while (i < iov.size()) {
            const ssize_t n = ::writev(fd, iov.data() + i, int(std::min<std::size_t>(iov.size() - i, 1024)));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            // Skip what was written, finishing a partly written entry.
            std::size_t done = std::size_t(n);
            while (done > 0 && i < iov.size()) {
                if (done >= iov[i].iov_len) {
                    done -= iov[i].iov_len;
                    ++i;
                } else {
                    iov[i].iov_base = static_cast<std::uint8_t*>(iov[i].iov_base) + done;
                    iov[i].iov_len -= done;
                    done = 0;
                }
            }
        }
        iov.clear();
        return true;
    };
    bool ok = true;
    for (int y = bitmap.height() - 1; y >= 0 && ok; --y) {
        iov.push_back({const_cast<std::uint8_t*>(bitmap.scanLine(y)), bitmap.stride()});
        if (iov.size() == 1024)
            ok = flush();
    }
    ok = ok && flush();
    const int err = errno;
    if (::close(fd) != 0 || !ok)
        throw EFileError("Cannot write file \"" + fileName + "\": " + std::strerror(ok ? errno : err));
}

std::vector<std::uint8_t> BmpBytes(const TBitmap& bitmap)
{
    TByteBuffer out;
    AppendBmp(bitmap, out);
    return {out.begin(), out.end()};
}

std::size_t BmpFileSize(std::span<const std::uint8_t> data)
{
    if (data.size() < 14 || data[0] != 'B' || data[1] != 'M')
        return 0;
    return u32(data.data() + 2);
}

} // namespace kalvo
