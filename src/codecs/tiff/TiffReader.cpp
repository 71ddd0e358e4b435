// TIFF decoding. Palette, grey and contiguous RGB pictures are decoded strip by strip (or one row
// of tiles at a time) straight into the bitmap's rows; every other kind libtiff can turn into
// colours (YCbCr, separate planes, CMYK, Lab ...) goes through libtiff's RGBA conversion in bands.
#include "codecs/tiff/TiffBands.h"
#include "codecs/tiff/TiffCodec.h"
#include "codecs/tiff/TiffHandle.h"
#include "codecs/tiff/TiffJpegRows.h"
#include "image/AlphaOverWhite.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace kalvo {

namespace {

// Compressed data expands at most this much in the codecs of the usual files (Deflate about
// 1000-fold, LZW 2700-fold); a header that promises more pixels than its data can hold is
// refused before the bitmap is allocated.
constexpr std::uint64_t kMaxExpansion = 4096;
constexpr std::uint64_t kExpansionSlack = std::uint64_t(1) << 20;

enum class TKind { Indexed, Grey16, Rgb, Converted };

struct TPage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitsPerSample = 1;
    std::uint16_t samplesPerPixel = 1;
    std::uint16_t photometric = 0;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    std::uint16_t alpha = EXTRASAMPLE_UNSPECIFIED; // of the first extra sample
    TKind kind = TKind::Converted;
    int bitCount = 24; // of the bitmap
};

TPage readPage(TTiffHandle& handle)
{
    TIFF* tif = handle.get();
    TPage p;
    if (!Tiff().TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &p.width)
        || !Tiff().TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &p.height))
        handle.fail("The page has no size");
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &p.bitsPerSample);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &p.samplesPerPixel);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &p.planar);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &p.sampleFormat);
    if (!Tiff().TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &p.photometric))
        p.photometric = p.samplesPerPixel >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    std::uint16_t extraCount = 0;
    std::uint16_t* extraTypes = nullptr;
    if (Tiff().TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes) && extraCount > 0)
        p.alpha = extraTypes[0];
    std::uint16_t compression = COMPRESSION_NONE;
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    // JPEG-compressed YCbCr comes out of libjpeg as RGB.
    if (compression == COMPRESSION_JPEG && p.photometric == PHOTOMETRIC_YCBCR && p.planar == PLANARCONFIG_CONTIG) {
        Tiff().TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        p.photometric = PHOTOMETRIC_RGB;
    }

    const int bps = p.bitsPerSample;
    const bool uintSamples = p.sampleFormat == SAMPLEFORMAT_UINT;
    const bool greyOrPalette = p.photometric == PHOTOMETRIC_PALETTE || p.photometric == PHOTOMETRIC_MINISBLACK
        || p.photometric == PHOTOMETRIC_MINISWHITE;
    if (uintSamples && greyOrPalette && p.samplesPerPixel == 1 && (bps == 1 || bps == 2 || bps == 4 || bps == 8)) {
        p.kind = TKind::Indexed;
        p.bitCount = bps == 2 ? 4 : bps;
    } else if (uintSamples && p.photometric != PHOTOMETRIC_PALETTE && greyOrPalette && p.samplesPerPixel == 1
               && bps == 16) {
        p.kind = TKind::Grey16;
        p.bitCount = 8;
    } else if (uintSamples && p.photometric == PHOTOMETRIC_RGB && p.planar == PLANARCONFIG_CONTIG
               && p.samplesPerPixel >= 3 && (bps == 8 || bps == 16)) {
        p.kind = TKind::Rgb;
    }
    return p;
}

// The picture's decoded size against the compressed data the file can hold.
void checkDataSuffices(TTiffHandle& handle, const TPage& p, std::size_t fileSize)
{
    TIFF* tif = handle.get();
    std::uint64_t stored = 0;
    // The data's pieces: strips, or tiles (TIFFNumberOfStrips counts one strip in a tiled file).
    const std::uint32_t count = Tiff().TIFFIsTiled(tif) ? Tiff().TIFFNumberOfTiles(tif)
                                                        : Tiff().TIFFNumberOfStrips(tif);
    for (std::uint32_t i = 0; i < count && stored < fileSize; ++i)
        stored += Tiff().TIFFGetStrileByteCount(tif, i);
    stored = std::min<std::uint64_t>(stored, fileSize);
    const std::uint64_t rowBits = std::uint64_t(p.width) * p.bitsPerSample * p.samplesPerPixel;
    const std::uint64_t decoded = (rowBits + 7) / 8 * p.height;
    if (decoded > stored * kMaxExpansion + kExpansionSlack)
        handle.fail("The file's data cannot hold a picture of " + std::to_string(p.width) + " x "
                    + std::to_string(p.height));
}

std::uint8_t colormapEntry(std::uint16_t value)
{
    return std::uint8_t((std::uint32_t(value) * 255 + 32767) / 65535);
}

std::vector<TColor> indexedPalette(TTiffHandle& handle, const TPage& p)
{
    const int entries = 1 << p.bitsPerSample;
    std::vector<TColor> palette(std::size_t(entries), 0);
    if (p.photometric == PHOTOMETRIC_PALETTE) {
        std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
        if (!Tiff().TIFFGetField(handle.get(), TIFFTAG_COLORMAP, &red, &green, &blue))
            handle.fail("The palette picture has no colour map");
        for (int i = 0; i < entries; ++i)
            palette[std::size_t(i)] = RGB(colormapEntry(red[i]), colormapEntry(green[i]), colormapEntry(blue[i]));
        return palette;
    }
    for (int i = 0; i < entries; ++i) {
        const int v = i * 255 / (entries - 1);
        const int grey = p.photometric == PHOTOMETRIC_MINISWHITE ? 255 - v : v;
        palette[std::size_t(i)] = RGB(grey, grey, grey);
    }
    return palette;
}

std::uint8_t sample16To8(const std::uint8_t* p)
{
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return std::uint8_t((v + 128) / 257);
}

// One decoded row of the page into row y of the bitmap.
void convertRow(const TPage& p, const std::uint8_t* in, TBitmap& bitmap, int y)
{
    std::uint8_t* out = bitmap.scanLine(y);
    const int width = bitmap.width();
    switch (p.kind) {
    case TKind::Indexed:
        if (p.bitsPerSample == 2) {
            for (int x = 0; x < width; ++x) {
                const int index = (in[x >> 2] >> (6 - 2 * (x & 3))) & 3;
                out[x >> 1] = std::uint8_t(out[x >> 1] | (index << ((x & 1) ? 0 : 4)));
            }
        } else {
            std::memcpy(out, in, (std::size_t(width) * p.bitsPerSample + 7) / 8);
        }
        return;
    case TKind::Grey16:
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = sample16To8(in + 2 * x);
            out[x] = p.photometric == PHOTOMETRIC_MINISWHITE ? std::uint8_t(255 - v) : v;
        }
        return;
    case TKind::Rgb: break;
    case TKind::Converted: return;
    }
    const int step = p.samplesPerPixel * p.bitsPerSample / 8;
    const bool wide = p.bitsPerSample == 16;
    const bool hasAlpha = p.samplesPerPixel >= 4
        && (p.alpha == EXTRASAMPLE_ASSOCALPHA || p.alpha == EXTRASAMPLE_UNASSALPHA);
    const int sampleBytes = wide ? 2 : 1;
    for (int x = 0; x < width; ++x, in += step, out += 3) {
        const int r = wide ? sample16To8(in) : in[0];
        const int g = wide ? sample16To8(in + 2) : in[1];
        const int b = wide ? sample16To8(in + 4) : in[2];
        if (!hasAlpha) {
            out[0] = std::uint8_t(b), out[1] = std::uint8_t(g), out[2] = std::uint8_t(r);
            continue;
        }
        const int a = wide ? sample16To8(in + 3 * sampleBytes) : in[3];
        if (p.alpha == EXTRASAMPLE_UNASSALPHA) {
            out[0] = OverWhite(b, a), out[1] = OverWhite(g, a), out[2] = OverWhite(r, a);
        } else { // premultiplied: the colour already holds its share
            out[0] = std::uint8_t(std::min(255, b + 255 - a));
            out[1] = std::uint8_t(std::min(255, g + 255 - a));
            out[2] = std::uint8_t(std::min(255, r + 255 - a));
        }
    }
}

// Kinds the rows cannot be taken from directly: libtiff's RGBA conversion, a band of rows at a
// time, laid over white.
void readConverted(TTiffHandle& handle, TBitmap& bitmap)
{
    TIFF* tif = handle.get();
    char message[1024] = {};
    if (!Tiff().TIFFRGBAImageOK(tif, message))
        handle.fail(std::string("Unsupported kind of picture: ") + message);
    TIFFRGBAImage image;
    if (!Tiff().TIFFRGBAImageBegin(&image, tif, 0, message))
        handle.fail(std::string("Unsupported kind of picture: ") + message);
    image.req_orientation = ORIENTATION_TOPLEFT;
    const int width = bitmap.width();
    const int band = 64;
    std::vector<std::uint32_t> raster(std::size_t(width) * band);
    bool ok = true;
    for (int y = 0; ok && y < bitmap.height(); y += band) {
        const int rows = std::min(band, bitmap.height() - y);
        image.row_offset = y;
        image.col_offset = 0;
        ok = Tiff().TIFFRGBAImageGet(&image, raster.data(), std::uint32_t(width), std::uint32_t(rows)) != 0;
        for (int r = 0; ok && r < rows; ++r)
            RgbaRowOverWhite(reinterpret_cast<const std::uint8_t*>(raster.data() + std::size_t(r) * width), width,
                             bitmap.scanLine(y + r));
    }
    Tiff().TIFFRGBAImageEnd(&image);
    if (!ok)
        handle.fail("The picture data is damaged");
}

// The first page's description, checked against the bitmap's bounds and the file's data.
TPage checkedPage(TTiffHandle& handle, std::size_t fileSize)
{
    const TPage page = readPage(handle);
    if (!TBitmap::fitsBounds(int(std::min<std::uint32_t>(page.width, 1u << 30)),
                             int(std::min<std::uint32_t>(page.height, 1u << 30)), page.bitCount)
        || page.width == 0 || page.height == 0)
        handle.fail("Image is too large or empty (" + std::to_string(page.width) + " x " + std::to_string(page.height)
                    + ")");
    checkDataSuffices(handle, page, fileSize);
    return page;
}

// A bitmap of the page's depth and colours for the rows read directly.
TBitmap directBitmap(TTiffHandle& handle, const TPage& page, int width, int height)
{
    TBitmap bitmap(width, height, page.bitCount);
    if (page.kind == TKind::Indexed)
        bitmap.setPalette(indexedPalette(handle, page));
    else if (page.kind == TKind::Grey16)
        bitmap.setPalette(DefaultPalette(8));
    return bitmap;
}

TBitmap readWhole(TTiffHandle& handle, const TPage& page)
{
    if (page.kind == TKind::Converted) {
        TBitmap bitmap(int(page.width), int(page.height), page.bitCount);
        readConverted(handle, bitmap);
        return bitmap;
    }
    TBitmap bitmap = directBitmap(handle, page, int(page.width), int(page.height));
    ReadTiffBands(handle, [&](const std::uint8_t* row, int y) { convertRow(page, row, bitmap, y); });
    return bitmap;
}

// Row i of the preview is the page's row in the middle of the i-th of rows equal shares of its
// height.
std::vector<int> shownRows(const TPage& page, int rows)
{
    std::vector<int> sources(std::size_t(rows), 0);
    for (int i = 0; i < rows; ++i)
        sources[std::size_t(i)] = int((2 * std::int64_t(i) + 1) * page.height / (2 * std::int64_t(rows)));
    return sources;
}

// The shown rows at full width; only the strips (or rows of tiles) holding them are decoded.
TBitmap readSampledRows(TTiffHandle& handle, const TPage& page, int rows)
{
    const std::vector<int> sources = shownRows(page, rows);
    TBitmap bitmap = directBitmap(handle, page, int(page.width), rows);
    std::size_t next = 0;
    ReadTiffBands(
        handle,
        [&](const std::uint8_t* row, int y) {
            for (; next < sources.size() && sources[next] <= y; ++next)
                if (sources[next] == y)
                    convertRow(page, row, bitmap, int(next));
        },
        [&](int first, int count) {
            const auto source = std::lower_bound(sources.begin(), sources.end(), first);
            return source != sources.end() && *source < first + count;
        });
    return bitmap;
}

// The shown rows of a JPEG-compressed page at the smallest eighth of its size that covers the
// shown size: the JPEG decoder then reads little more than each block's mean.
TBitmap readReducedJpegRows(TTiffHandle& handle, const TPage& page, std::size_t fileSize, TTiffShownSize shown)
{
    const auto reduced = [](std::uint32_t size, int eighths) { return int((std::uint64_t(size) * eighths + 7) / 8); };
    int eighths = 1;
    while (eighths < 8 && (reduced(page.width, eighths) < shown.width || reduced(page.height, eighths) < shown.height))
        ++eighths;
    const std::vector<int> sources = shownRows(page, shown.height);
    TBitmap bitmap = directBitmap(handle, page, reduced(page.width, eighths), shown.height);
    ReadTiffJpegRows(handle, fileSize, eighths, sources, bitmap);
    return bitmap;
}

} // namespace

TDecodedImage ReadTiff(std::span<const std::uint8_t> data)
{
    TTiffHandle handle(data);
    const TPage page = checkedPage(handle, data.size());
    TDecodedImage result;
    result.bitmap = readWhole(handle, page);
    return result;
}

TTiffPreview ReadTiffPreview(std::span<const std::uint8_t> data, const TTiffShownSizeOf& shownSize)
{
    TTiffHandle handle(data);
    const TPage page = checkedPage(handle, data.size());
    TTiffPreview preview;
    preview.width = int(page.width);
    preview.height = int(page.height);
    const TTiffShownSize shown = shownSize(preview.width, preview.height);
    if (shown.height <= 0 || shown.height >= preview.height)
        preview.bitmap = readWhole(handle, page);
    else if (TiffJpegLayout(handle).usable)
        preview.bitmap = readReducedJpegRows(handle, page, data.size(), shown);
    else if (page.kind == TKind::Converted)
        preview.bitmap = readWhole(handle, page);
    else
        preview.bitmap = readSampledRows(handle, page, shown.height);
    return preview;
}

} // namespace kalvo
