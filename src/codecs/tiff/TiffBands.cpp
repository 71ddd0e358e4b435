#include "codecs/tiff/TiffBands.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace kalvo {

namespace {

constexpr tmsize_t kMaxTileBytes = tmsize_t(256) << 20;

void readStrips(TTiffHandle& handle, std::uint32_t height, std::size_t rowBytes,
                const std::function<void(const std::uint8_t*, int)>& row, const TTiffBandFilter& wanted)
{
    TIFF* tif = handle.get();
    std::uint32_t rowsPerStrip = height;
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, height);
    std::vector<std::uint8_t> strip(rowBytes * rowsPerStrip);
    for (std::uint32_t y = 0; y < height; y += rowsPerStrip) {
        const std::uint32_t rows = std::min(rowsPerStrip, height - y);
        if (wanted && !wanted(int(y), int(rows)))
            continue;
        const tmsize_t want = tmsize_t(rowBytes * rows);
        const tmsize_t got = Tiff().TIFFReadEncodedStrip(tif, Tiff().TIFFComputeStrip(tif, y, 0), strip.data(), want);
        if (got < want)
            handle.fail("Strip at row " + std::to_string(y) + " cannot be decoded");
        for (std::uint32_t r = 0; r < rows; ++r)
            row(strip.data() + rowBytes * r, int(y + r));
    }
}

void readTiles(TTiffHandle& handle, std::uint32_t width, std::uint32_t height, std::size_t rowBytes,
               std::size_t pixelBits, const std::function<void(const std::uint8_t*, int)>& row,
               const TTiffBandFilter& wanted)
{
    TIFF* tif = handle.get();
    std::uint32_t tileWidth = 0, tileHeight = 0;
    Tiff().TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
    Tiff().TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileHeight);
    const tmsize_t tileBytes = Tiff().TIFFTileSize(tif);
    const std::size_t tileRowBytes = std::size_t(Tiff().TIFFTileRowSize(tif));
    if (tileWidth == 0 || tileHeight == 0 || tileBytes <= 0 || tileRowBytes == 0 || tileBytes > kMaxTileBytes)
        handle.fail("Damaged tile layout");
    // Tile widths are multiples of 16, so a tile starts on a byte at every sample size.
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(tileBytes));
    std::vector<std::uint8_t> band(rowBytes * std::min(tileHeight, height));
    for (std::uint32_t y = 0; y < height; y += tileHeight) {
        const std::uint32_t rows = std::min(tileHeight, height - y);
        if (wanted && !wanted(int(y), int(rows)))
            continue;
        for (std::uint32_t x = 0; x < width; x += tileWidth) {
            if (Tiff().TIFFReadEncodedTile(tif, Tiff().TIFFComputeTile(tif, x, y, 0, 0), tile.data(), tileBytes)
                < tileBytes)
                handle.fail("Tile at " + std::to_string(x) + ", " + std::to_string(y) + " cannot be decoded");
            const std::size_t start = std::size_t(x) * pixelBits / 8;
            const std::size_t n = std::min(tileRowBytes, rowBytes - start);
            for (std::uint32_t r = 0; r < rows; ++r)
                std::memcpy(band.data() + rowBytes * r + start, tile.data() + tileRowBytes * r, n);
        }
        for (std::uint32_t r = 0; r < rows; ++r)
            row(band.data() + rowBytes * r, int(y + r));
    }
}

} // namespace

void ReadTiffBands(TTiffHandle& handle, const std::function<void(const std::uint8_t* row, int y)>& row,
                   const TTiffBandFilter& wanted)
{
    TIFF* tif = handle.get();
    std::uint32_t width = 0, height = 0;
    Tiff().TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    Tiff().TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    const tmsize_t rowBytes = Tiff().TIFFScanlineSize(tif);
    if (rowBytes <= 0 || width == 0)
        handle.fail("Damaged row layout");
    std::uint16_t bitsPerSample = 1, samplesPerPixel = 1;
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    Tiff().TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel);
    if (Tiff().TIFFIsTiled(tif))
        readTiles(handle, width, height, std::size_t(rowBytes), std::size_t(bitsPerSample) * samplesPerPixel, row,
                  wanted);
    else
        readStrips(handle, height, std::size_t(rowBytes), row, wanted);
}

} // namespace kalvo
