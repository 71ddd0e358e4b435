// TIFF encoding: one page, Deflate-compressed strips of about 256 KiB; palette bitmaps keep their
// depth and colours, RGB rows get the horizontal predictor.
#include "codecs/tiff/TiffCodec.h"
#include "codecs/tiff/TiffHandle.h"
#include "image/AlphaOverWhite.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kalvo {

namespace {

constexpr std::size_t kStripBytes = std::size_t(256) << 10;

void writeColormap(TTiffHandle& handle, const TBitmap& bitmap)
{
    const std::size_t entries = std::size_t(1) << bitmap.bitCount();
    std::vector<std::uint16_t> red(entries, 0), green(entries, 0), blue(entries, 0);
    for (std::size_t i = 0; i < entries && i < bitmap.palette().size(); ++i) {
        const TColor c = bitmap.palette()[i];
        red[i] = std::uint16_t(GetRValue(c) * 257);
        green[i] = std::uint16_t(GetGValue(c) * 257);
        blue[i] = std::uint16_t(GetBValue(c) * 257);
    }
    if (!Tiff().TIFFSetField(handle.get(), TIFFTAG_COLORMAP, red.data(), green.data(), blue.data()))
        handle.fail("The colour map cannot be written");
}

} // namespace

void WriteTiff(const TBitmap& bitmap, std::FILE* out)
{
    if (bitmap.empty())
        throw ETiffError("TIFF: The image is empty");
    const bool indexed = bitmap.bitCount() <= 8;
    const TBitmap converted = indexed || bitmap.bitCount() == 24 ? TBitmap() : bitmap.toTrueColor();
    const TBitmap& source = converted.empty() ? bitmap : converted;

    TTiffHandle handle(out);
    TIFF* tif = handle.get();
    const std::size_t rowBytes = (std::size_t(source.width()) * source.bitCount() + 7) / 8;
    const std::uint32_t rowsPerStrip = std::uint32_t(
        std::clamp<std::size_t>(kStripBytes / rowBytes, 1, std::size_t(source.height())));
    Tiff().TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(source.width()));
    Tiff().TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(source.height()));
    Tiff().TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, std::uint16_t(indexed ? source.bitCount() : 8));
    Tiff().TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, std::uint16_t(indexed ? 1 : 3));
    Tiff().TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, indexed ? PHOTOMETRIC_PALETTE : PHOTOMETRIC_RGB);
    Tiff().TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    Tiff().TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    Tiff().TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    if (!indexed)
        Tiff().TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    Tiff().TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    Tiff().TIFFSetField(tif, TIFFTAG_SOFTWARE, "Kalvo");
    if (indexed)
        writeColormap(handle, source);

    std::vector<std::uint8_t> row(rowBytes);
    for (int y = 0; y < source.height(); ++y) {
        if (indexed)
            std::copy_n(source.scanLine(y), rowBytes, row.data());
        else
            SwapRedBlueRow(source.scanLine(y), source.width(), row.data());
        if (Tiff().TIFFWriteScanline(tif, row.data(), std::uint32_t(y), 0) < 0)
            handle.fail("Row " + std::to_string(y) + " cannot be written");
    }
    handle.finish();
}

} // namespace kalvo
