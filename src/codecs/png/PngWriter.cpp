// PNG encoding: palette images keep their depth and indices, deeper images become 8-bit RGB or,
// with a transparent colour, RGBA.
#include "codecs/png/PngCodec.h"

#include "codecs/exif/ExifBlock.h"
#include "codecs/png/PngSession.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kalvo {

namespace {

struct TPngWriteLayout {
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    std::vector<png_color> palette;
    std::vector<png_byte> alpha; // tRNS entries of a palette image
    bool direct = false;         // scan lines go to libpng as they are
    bool bgr = false;            // direct 24-bit rows, blue first
};

int maxIndexUsed(const TBitmap& bitmap)
{
    if (bitmap.bitCount() == 1)
        return 1;
    int maxIndex = 0;
    const int perByte = bitmap.bitCount() == 4 ? 2 : 1;
    const std::size_t used = (std::size_t(bitmap.width()) + perByte - 1) / perByte;
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* row = bitmap.scanLine(y);
        for (std::size_t i = 0; i < used; ++i)
            maxIndex = std::max(maxIndex, perByte == 2 ? std::max(row[i] >> 4, row[i] & 15) : int(row[i]));
    }
    return maxIndex;
}

// The bitmap's palette, cut to what the depth can address and padded with black up to the
// highest index the pixels use (pixels beyond a palette read as black).
std::vector<png_color> pngPalette(const TBitmap& bitmap)
{
    const std::size_t limit = std::size_t(1) << bitmap.bitCount();
    std::size_t count = std::min(bitmap.palette().size(), limit);
    count = std::max(count, std::size_t(maxIndexUsed(bitmap)) + 1);
    std::vector<png_color> palette(count, png_color{0, 0, 0});
    for (std::size_t i = 0; i < count && i < bitmap.palette().size(); ++i) {
        const TColor c = bitmap.palette()[i];
        palette[i] = png_color{png_byte(GetRValue(c)), png_byte(GetGValue(c)), png_byte(GetBValue(c))};
    }
    return palette;
}

// Entries before the first palette colour equal to the transparent one stay opaque; none when the
// palette lacks that colour.
std::vector<png_byte> paletteAlpha(const std::vector<png_color>& palette, TColor transparent)
{
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (RGB(palette[i].red, palette[i].green, palette[i].blue) == transparent) {
            std::vector<png_byte> alpha(i + 1, 255);
            alpha[i] = 0;
            return alpha;
        }
    }
    return {};
}

TPngWriteLayout makeLayout(const TBitmap& bitmap, const TImageProperties& options)
{
    TPngWriteLayout layout;
    if (bitmap.bitCount() < 16) {
        layout.colorType = PNG_COLOR_TYPE_PALETTE;
        layout.bitDepth = bitmap.bitCount();
        layout.palette = pngPalette(bitmap);
        if (options.transparent)
            layout.alpha = paletteAlpha(layout.palette, options.transparentColor);
        layout.direct = true;
    } else if (options.transparent) {
        layout.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    } else {
        layout.direct = layout.bgr = bitmap.bitCount() == 24;
    }
    return layout;
}

// One row as RGB or RGBA; with alpha, exactly the pixels of the transparent colour get 0.
void convertRow(const TBitmap& bitmap, int y, bool withAlpha, TColor transparent, std::uint8_t* out)
{
    const std::uint8_t* in = bitmap.scanLine(y);
    const int step = bitmap.bitCount() / 8;
    for (int x = 0; x < bitmap.width(); ++x) {
        int r, g, b;
        if (step >= 3) {
            const std::uint8_t* p = in + std::size_t(x) * std::size_t(step);
            b = p[0], g = p[1], r = p[2];
        } else {
            const TColor c = bitmap.pixelColor(x, y);
            r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        }
        out[0] = std::uint8_t(r);
        out[1] = std::uint8_t(g);
        out[2] = std::uint8_t(b);
        if (withAlpha)
            out[3] = RGB(r, g, b) == transparent ? 0 : 255;
        out += withAlpha ? 4 : 3;
    }
}

// A profile fit for a colour PNG: a whole RGB profile whose header states its length and whose
// tag table fits.
bool IsRgbProfile(const std::vector<std::uint8_t>& p)
{
    const auto be32 = [&](std::size_t at) {
        return std::uint32_t(p[at]) << 24 | std::uint32_t(p[at + 1]) << 16 | std::uint32_t(p[at + 2]) << 8 | p[at + 3];
    };
    return p.size() >= 132 && be32(0) == p.size() && std::memcmp(&p[16], "RGB ", 4) == 0
        && std::memcmp(&p[36], "acsp", 4) == 0 && (p.size() - 132) / 12 >= be32(128);
}

// eXIf (made fit for the saved picture) and iCCP chunks from the picture's metadata.
void writeMetadata(png_structp png, png_infop info, const TImageMetadata& metadata, const TBitmap& bitmap)
{
    if (!metadata.Exif.empty())
        if (auto exif = ExifForSavedPicture(metadata.Exif, bitmap.width(), bitmap.height()))
            png_set_eXIf_1(png, info, png_uint_32(exif->size()), exif->data());
    if (!IsRgbProfile(metadata.IccProfile))
        return;
    // A profile libpng still finds fault with is left out with a warning, not the save ended.
    png_set_benign_errors(png, 1);
    png_set_iCCP(png, info, "ICC profile", PNG_COMPRESSION_TYPE_BASE, metadata.IccProfile.data(),
                 png_uint_32(metadata.IccProfile.size()));
}

} // namespace

void WritePng(const TBitmap& bitmap, const TImageProperties& options, std::FILE* out)
{
    if (bitmap.empty())
        throw EPngError("PNG: The image is empty");
    const TPngWriteLayout layout = makeLayout(bitmap, options);
    const bool withAlpha = layout.colorType == PNG_COLOR_TYPE_RGB_ALPHA;
    std::vector<std::uint8_t> rowBuffer(layout.direct ? 0 : std::size_t(bitmap.width()) * (withAlpha ? 4 : 3));

    TPngWriteSession session(out);
    png_structp png = session.png();
    png_infop info = session.info();
    session.guarded([&] {
        png_set_IHDR(png, info, png_uint_32(bitmap.width()), png_uint_32(bitmap.height()), layout.bitDepth,
                     layout.colorType, options.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
        if (!layout.palette.empty())
            png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
        if (!layout.alpha.empty())
            png_set_tRNS(png, info, layout.alpha.data(), int(layout.alpha.size()), nullptr);
        writeMetadata(png, info, options.metadata, bitmap);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        png_set_compression_level(png, 7);
        png_set_compression_buffer_size(png, 65535);
        png_write_info(png, info);
        if (layout.bgr)
            png_set_bgr(png);
        const int passes = options.interlaced ? png_set_interlace_handling(png) : 1;
        for (int pass = 0; pass < passes; ++pass) {
            for (int y = 0; y < bitmap.height(); ++y) {
                if (layout.direct) {
                    png_write_row(png, bitmap.scanLine(y));
                } else {
                    convertRow(bitmap, y, withAlpha, options.transparentColor, rowBuffer.data());
                    png_write_row(png, rowBuffer.data());
                }
            }
        }
        png_write_end(png, info);
    });
}

} // namespace kalvo
