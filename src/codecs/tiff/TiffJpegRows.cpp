#include "codecs/tiff/TiffJpegRows.h"

#include "codecs/jpeg/JpegMemoryDecoder.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace kalvo {

namespace {

constexpr tmsize_t kMaxTileBytes = tmsize_t(256) << 20;

struct TSegments {
    std::uint32_t width = 0; // of the page
    std::uint32_t height = 0;
    std::uint32_t pieceWidth = 0; // of a strip or tile
    std::uint32_t pieceHeight = 0;
    bool tiled = false;
};

TSegments segments(TTiffHandle& handle)
{
    TIFF* tif = handle.get();
    TSegments s;
    Tiff().TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &s.width);
    Tiff().TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &s.height);
    s.tiled = Tiff().TIFFIsTiled(tif) != 0;
    if (s.tiled) {
        Tiff().TIFFGetField(tif, TIFFTAG_TILEWIDTH, &s.pieceWidth);
        Tiff().TIFFGetField(tif, TIFFTAG_TILELENGTH, &s.pieceHeight);
        // Tiles are multiples of 16 wide and high, so reduced tiles meet on whole pixels; a tile
        // takes no more memory than libtiff would allow it.
        const tmsize_t tileBytes = Tiff().TIFFTileSize(tif);
        if (s.pieceWidth == 0 || s.pieceHeight == 0 || s.pieceWidth % 16 || s.pieceHeight % 16 || tileBytes <= 0
            || tileBytes > kMaxTileBytes)
            handle.fail("Damaged tile layout");
    } else {
        s.pieceWidth = s.width;
        s.pieceHeight = s.height;
        Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &s.pieceHeight);
        s.pieceHeight = std::clamp<std::uint32_t>(s.pieceHeight, 1, s.height);
    }
    return s;
}

class TRawReader {
public:
    TRawReader(TTiffHandle& handle, std::size_t fileSize) : handle_(handle), fileSize_(fileSize) { }

    std::span<const std::uint8_t> read(std::uint32_t index, bool tiled)
    {
        TIFF* tif = handle_.get();
        const std::uint64_t stored = Tiff().TIFFGetStrileByteCount(tif, index);
        buffer_.resize(std::size_t(std::min<std::uint64_t>(stored, fileSize_)));
        const tmsize_t got = buffer_.empty() ? 0
            : tiled ? Tiff().TIFFReadRawTile(tif, index, buffer_.data(), tmsize_t(buffer_.size()))
                    : Tiff().TIFFReadRawStrip(tif, index, buffer_.data(), tmsize_t(buffer_.size()));
        if (got <= 0)
            handle_.fail("No data for strip or tile " + std::to_string(index));
        return {buffer_.data(), std::size_t(got)};
    }

private:
    TTiffHandle& handle_;
    std::size_t fileSize_;
    std::vector<std::uint8_t> buffer_;
};

TJpegMemoryFormat jpegFormat(TTiffHandle& handle, bool grey, int eighths)
{
    std::uint16_t photometric = PHOTOMETRIC_RGB;
    Tiff().TIFFGetField(handle.get(), TIFFTAG_PHOTOMETRIC, &photometric);
    TJpegMemoryFormat format;
    format.eighths = eighths;
    if (grey) {
        format.stored = format.output = JCS_GRAYSCALE;
        format.components = 1;
    } else {
        format.stored = photometric == PHOTOMETRIC_YCBCR ? JCS_YCbCr : JCS_RGB;
        format.output = JCS_EXT_BGR;
        format.components = 3;
    }
    return format;
}

} // namespace

TTiffJpegLayout TiffJpegLayout(TTiffHandle& handle)
{
    TIFF* tif = handle.get();
    std::uint16_t compression = 0, bits = 1, samples = 1, planar = PLANARCONFIG_CONTIG, format = SAMPLEFORMAT_UINT,
                  photometric = 0;
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format);
    if (compression != COMPRESSION_JPEG || bits != 8 || planar != PLANARCONFIG_CONTIG || format != SAMPLEFORMAT_UINT
        || !Tiff().TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric))
        return {};
    if (samples == 1 && photometric == PHOTOMETRIC_MINISBLACK)
        return {true, true};
    if (samples == 3 && (photometric == PHOTOMETRIC_YCBCR || photometric == PHOTOMETRIC_RGB))
        return {true, false};
    return {};
}

void ReadTiffJpegRows(TTiffHandle& handle, std::size_t fileSize, int eighths, std::span<const int> sources,
                      TBitmap& bitmap)
{
    const TTiffJpegLayout layout = TiffJpegLayout(handle);
    const TSegments s = segments(handle);
    const TJpegMemoryFormat format = jpegFormat(handle, layout.grey, eighths);
    const auto reduced = [&](std::uint32_t size) { return std::size_t((std::uint64_t(size) * eighths + 7) / 8); };
    if (!layout.usable || reduced(s.width) != std::size_t(bitmap.width())
        || sources.size() != std::size_t(bitmap.height()))
        handle.fail("Not a JPEG page of this size");
    TRawReader raw(handle, fileSize);
    std::vector<std::uint8_t> row(reduced(s.pieceWidth) * std::size_t(format.components));
    const std::size_t outBytes = std::size_t(bitmap.width()) * std::size_t(format.components);
    try {
        TJpegMemoryDecoder jpeg;
        std::uint32_t tableCount = 0;
        void* tables = nullptr;
        if (Tiff().TIFFGetField(handle.get(), TIFFTAG_JPEGTABLES, &tableCount, &tables) && tables && tableCount > 0)
            jpeg.ReadTables({static_cast<const std::uint8_t*>(tables), tableCount});
        std::size_t first = 0; // the first source of the current band of strips or tiles
        for (std::uint32_t y = 0; y < s.height && first < sources.size(); y += s.pieceHeight) {
            const std::uint32_t rows = std::min(s.pieceHeight, s.height - y);
            std::size_t end = first;
            while (end < sources.size() && std::uint32_t(sources[end]) < y + rows)
                ++end;
            if (end == first)
                continue;
            for (std::uint32_t x = 0; x < s.width; x += s.pieceWidth) {
                const std::uint32_t index = s.tiled ? Tiff().TIFFComputeTile(handle.get(), x, y, 0, 0)
                                                    : Tiff().TIFFComputeStrip(handle.get(), y, 0);
                // A strip's image may be as high as a whole strip even when the page ends sooner.
                jpeg.Start(raw.read(index, s.tiled), format, int(s.pieceWidth), int(s.tiled ? s.pieceHeight : rows),
                           int(s.pieceHeight));
                const std::size_t start = reduced(x) * std::size_t(format.components);
                const std::size_t n = std::min(row.size(), outBytes - start);
                // A tile reaching past the page's edge holds whatever its writer padded it with: a
                // reduced pixel that straddles the edge repeats its neighbour inside the page (the
                // one to its left, or the row above within the tile).
                const std::size_t insideColumns = std::min(s.pieceWidth, s.width - x) * std::size_t(eighths) / 8;
                const std::size_t insideRows = std::size_t(rows) * std::size_t(eighths) / 8;
                const std::size_t pixel = std::size_t(format.components);
                std::size_t decoded = 0; // rows read so far
                for (std::size_t i = first; i < end; ++i) {
                    std::size_t wanted = std::size_t(std::uint64_t(std::uint32_t(sources[i]) - y) * eighths / 8);
                    if (s.tiled && insideRows > 0)
                        wanted = std::min(wanted, insideRows - 1);
                    for (; decoded <= wanted; ++decoded)
                        jpeg.ReadRow(row.data());
                    std::uint8_t* out = bitmap.scanLine(int(i));
                    std::memcpy(out + start, row.data(), n);
                    const std::size_t straddling = start + insideColumns * pixel;
                    if (s.tiled && straddling > 0 && (insideColumns + 1) * pixel <= n)
                        std::memcpy(out + straddling, out + straddling - pixel, pixel);
                }
                jpeg.Finish();
            }
            first = end;
        }
    } catch (const EJPEGError& e) {
        handle.fail(std::string("Damaged JPEG data: ") + e.what());
    }
}

} // namespace kalvo
