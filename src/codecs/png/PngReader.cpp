// PNG decoding: header and transparency are read through libpng, the rows are decoded straight
// into the bitmap's scan lines.
#include "codecs/png/PngCodec.h"

#include "codecs/exif/ExifBlock.h"
#include "codecs/png/PngSession.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kalvo {

namespace {

struct TPngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    int channels = 0;
};

// How decoded rows land in the bitmap. 2-bit samples are decoded one per byte and packed into
// nibbles afterwards, as the bitmap has no 2-bit depth.
struct TPngLayout {
    int bitCount = 24;
    bool unpack2Bit = false;
    std::vector<TColor> palette;
};

std::uint32_t bigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// The total length of the IDAT chunks, from a walk over the chunk headers.
std::uint64_t idatBytes(std::span<const std::uint8_t> data)
{
    std::uint64_t total = 0;
    std::size_t pos = 8;
    while (data.size() >= 12 && pos <= data.size() - 12) {
        const std::uint32_t length = bigEndian32(data.data() + pos);
        const std::uint8_t* type = data.data() + pos + 4;
        if (std::equal(type, type + 4, "IDAT"))
            total += length;
        if (std::equal(type, type + 4, "IEND") || length > data.size() - pos - 12)
            break;
        pos += 12 + std::size_t(length);
    }
    return total;
}

// Deflate expands at most 1032-fold, so a file whose image data cannot hold the declared pixels
// is refused before the bitmap is allocated (a tiny file declaring a huge image).
void checkDataSuffices(std::span<const std::uint8_t> data, const TPngHeader& h)
{
    const std::uint64_t pixelBits = std::uint64_t(h.width) * h.height * std::uint64_t(h.channels * h.bitDepth);
    if ((pixelBits + 7) / 8 / 1032 > idatBytes(data) + 16)
        throw EPngError("PNG: Not enough image data");
}

std::vector<TColor> greyRamp(int depth)
{
    const int n = 1 << depth;
    std::vector<TColor> ramp(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int v = i * 255 / (n - 1);
        ramp[std::size_t(i)] = RGB(v, v, v);
    }
    return ramp;
}

int indexedBitCount(int depth)
{
    return depth == 1 ? 1 : depth <= 4 ? 4 : 8;
}

std::vector<TColor> readPalette(png_structp png, png_infop info, int depth)
{
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &entries, &count);
    std::vector<TColor> palette;
    for (int i = 0; i < count && i < (1 << depth); ++i)
        palette.push_back(RGB(entries[i].red, entries[i].green, entries[i].blue));
    return palette;
}

TPngLayout chooseLayout(png_structp png, png_infop info, const TPngHeader& h)
{
    TPngLayout layout;
    layout.unpack2Bit = h.bitDepth == 2;
    switch (h.colorType) {
    case PNG_COLOR_TYPE_PALETTE:
        layout.bitCount = indexedBitCount(h.bitDepth);
        layout.palette = readPalette(png, info, h.bitDepth);
        break;
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        layout.bitCount = indexedBitCount(h.bitDepth);
        layout.palette = greyRamp(h.bitDepth > 8 ? 8 : h.bitDepth);
        break;
    default: layout.bitCount = 24; break;
    }
    return layout;
}

void setTransforms(png_structp png, const TPngHeader& h)
{
    if (h.bitDepth == 16)
        png_set_scale_16(png);
    if (h.colorType & PNG_COLOR_MASK_ALPHA)
        png_set_strip_alpha(png);
    if (h.colorType & PNG_COLOR_MASK_COLOR)
        png_set_bgr(png);
    if (h.bitDepth == 2)
        png_set_packing(png);
    if (h.interlace != PNG_INTERLACE_NONE)
        png_set_interlace_handling(png);
}

// A 16-bit sample scaled to 8 bits the way libpng scales the rows.
int scaleSample(int value, int depth)
{
    return depth == 16 ? (value * 255 + 32767) / 65535 : value;
}

struct TTransparency {
    bool present = false; // tRNS chunk or alpha channel
    bool bitOnly = false; // every tRNS entry fully opaque or fully transparent
    TColor color = 0;
};

TTransparency readTransparency(png_structp png, png_infop info, const TPngHeader& h, const TPngLayout& layout)
{
    TTransparency t;
    t.present = (h.colorType & PNG_COLOR_MASK_ALPHA) != 0;
    if (!png_get_valid(png, info, PNG_INFO_tRNS))
        return t;
    png_bytep alpha = nullptr;
    int count = 0;
    png_color_16p colour = nullptr;
    png_get_tRNS(png, info, &alpha, &count, &colour);
    t.present = true;
    t.bitOnly = true;
    if (h.colorType == PNG_COLOR_TYPE_PALETTE) {
        bool found = false;
        for (int i = 0; i < count; ++i) {
            t.bitOnly = t.bitOnly && (alpha[i] == 0 || alpha[i] == 255);
            if (!found && alpha[i] == 0) {
                found = true;
                t.color = std::size_t(i) < layout.palette.size() ? layout.palette[std::size_t(i)] : 0;
            }
        }
    } else if (h.colorType == PNG_COLOR_TYPE_GRAY) {
        const int maxValue = (1 << h.bitDepth) - 1;
        const int grey = colour->gray > maxValue ? maxValue : colour->gray;
        const int v = h.bitDepth >= 8 ? scaleSample(grey, h.bitDepth) : grey * 255 / maxValue;
        t.color = RGB(v, v, v);
    } else {
        t.color = RGB(scaleSample(colour->red, h.bitDepth), scaleSample(colour->green, h.bitDepth),
                      scaleSample(colour->blue, h.bitDepth));
    }
    return t;
}

TBitmap packNibbles(const TBitmap& bytes)
{
    TBitmap result(bytes.width(), bytes.height(), 4);
    for (int y = 0; y < bytes.height(); ++y) {
        const std::uint8_t* in = bytes.scanLine(y);
        std::uint8_t* out = result.scanLine(y);
        for (int x = 0; x < bytes.width(); ++x)
            out[x >> 1] = std::uint8_t(out[x >> 1] | ((in[x] & 0x0F) << ((x & 1) ? 0 : 4)));
    }
    return result;
}

TPngHeader readHeader(TPngReadSession& session)
{
    TPngHeader h;
    png_structp png = session.png();
    png_infop info = session.info();
    session.guarded([png, info, &h] {
        png_read_info(png, info);
        png_get_IHDR(png, info, &h.width, &h.height, &h.bitDepth, &h.colorType, &h.interlace, nullptr, nullptr);
        h.channels = png_get_channels(png, info);
    });
    return h;
}

// The eXIf block when well formed, and the iCCP profile (libpng has checked and inflated it).
TImageMetadata readMetadata(png_structp png, png_infop info)
{
    TImageMetadata metadata;
    png_uint_32 exifSize = 0;
    png_bytep exif = nullptr;
    if (png_get_eXIf_1(png, info, &exifSize, &exif) && exif && IsWellFormedExif({exif, exifSize}))
        metadata.Exif.assign(exif, exif + exifSize);
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileSize = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &profileSize) && profile)
        metadata.IccProfile.assign(profile, profile + profileSize);
    return metadata;
}

} // namespace

TDecodedImage ReadPng(std::span<const std::uint8_t> data)
{
    TPngReadSession session(data);
    png_structp png = session.png();
    png_infop info = session.info();
    const TPngHeader h = readHeader(session);
    const int width = int(h.width), height = int(h.height);

    // The png_get_ accessors never raise libpng errors, so these may build vectors unguarded.
    TPngLayout layout = chooseLayout(png, info, h);
    const TTransparency transparency = readTransparency(png, info, h, layout);
    const int readBits = layout.unpack2Bit ? 8 : layout.bitCount;
    if (!TBitmap::fitsBounds(width, height, readBits))
        throw EPngError("PNG: Image is too large (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    checkDataSuffices(data, h);

    png_size_t rowBytes = 0;
    session.guarded([&] {
        setTransforms(png, h);
        png_read_update_info(png, info);
        rowBytes = png_get_rowbytes(png, info);
    });
    if (rowBytes != (std::size_t(width) * std::size_t(readBits) + 7) / 8)
        throw EPngError("PNG: Unexpected row layout");

    TBitmap target(width, height, readBits);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[std::size_t(y)] = target.scanLine(y);
    png_bytepp rowPointers = rows.data();
    session.guarded([png, rowPointers] {
        png_read_image(png, rowPointers);
        png_read_end(png, nullptr);
    });

    TDecodedImage result;
    result.bitmap = layout.unpack2Bit ? packNibbles(target) : std::move(target);
    if (layout.bitCount <= 8)
        result.bitmap.setPalette(std::move(layout.palette));
    result.properties.interlaced = h.interlace != PNG_INTERLACE_NONE;
    result.properties.transparent = transparency.present;
    result.properties.transparentColor = transparency.color;
    result.properties.metadata = readMetadata(png, info);
    if (transparency.bitOnly) {
        result.bitmap.setTransparent(true);
        result.bitmap.setTransparentColor(transparency.color);
    }
    return result;
}

} // namespace kalvo
