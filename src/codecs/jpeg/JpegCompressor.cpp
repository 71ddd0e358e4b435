#include "codecs/jpeg/JpegCompressor.h"

#include "image/ImageErrors.h"

#include <algorithm>
#include <optional>

namespace kalvo {

TJPEGCompressor::TJPEGCompressor()
{
    prepareErrorManager(reinterpret_cast<jpeg_common_struct*>(&cinfo_));
    guarded([this] {
        jpeg_CreateCompress(&cinfo_, JPEG_LIB_VERSION, sizeof cinfo_);
        // Rows reach the library blue first, as the bitmap stores them.
        cinfo_.input_components = 3;
        cinfo_.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&cinfo_);
    });
    attachProgress();
}

TJPEGCompressor::~TJPEGCompressor()
{
    jpeg_destroy(reinterpret_cast<jpeg_common_struct*>(&cinfo_));
}

void TJPEGCompressor::setQuality(int quality)
{
    guarded([this, quality] { jpeg_set_quality(&cinfo_, quality, TRUE); });
    quality_ = quality;
}

void TJPEGCompressor::WriteMarker(int marker, std::span<const std::uint8_t> data)
{
    const std::size_t count = std::min<std::size_t>(data.size(), 65533);
    guarded([&] { jpeg_write_marker(&cinfo_, marker, data.data(), unsigned(count)); });
}

void TJPEGCompressor::compress(const TBitmap& bitmap)
{
    if (bitmap.empty())
        throw EJPEGError("Cannot obtain a Device Independent Bitmap");
    // Deeper formats are fetched at 24 bits per pixel.
    std::optional<TBitmap> trueColor;
    if (bitmap.bitCount() == 16 || bitmap.bitCount() == 32)
        trueColor = bitmap.toTrueColor();
    const TBitmap& source = trueColor ? *trueColor : bitmap;
    const int depth = source.bitCount();
    cinfo_.image_width = JDIMENSION(source.width());
    cinfo_.image_height = JDIMENSION(source.height());
    const boolean jfif = cinfo_.write_JFIF_header;
    guarded([this] { jpeg_set_colorspace(&cinfo_, GrayscaleOutput ? JCS_GRAYSCALE : JCS_YCbCr); });
    cinfo_.write_JFIF_header = jfif;
    if (depth != 4 && depth != 8 && depth != 24)
        throw EJPEGError("Unable to compress at " + std::to_string(depth) + " bit resolution");
    startCompress();
    writeRows(source);
    setProgressComplete();
    guarded([this] { jpeg_finish_compress(&cinfo_); });
}

void TJPEGCompressor::startCompress()
{
    guarded([this] {
        if (ProgressiveJPEG)
            jpeg_simple_progression(&cinfo_);
        if (!WriteAllTables)
            jpeg_suppress_tables(&cinfo_, TRUE);
        jpeg_start_compress(&cinfo_, WriteAllTables ? TRUE : FALSE);
    });
    if (!Comment.empty())
        WriteMarker(JPEG_COM, {reinterpret_cast<const std::uint8_t*>(Comment.data()), Comment.size()});
    if (OnWriteMarkers)
        OnWriteMarkers();
}

namespace {

// Expands a row of palette indices to blue, green, red pixels.
void expandRow(const TBitmap& bitmap, int y, const TColor* palette, std::size_t paletteSize, std::uint8_t* out)
{
    const std::uint8_t* row = bitmap.scanLine(y);
    const bool nibbles = bitmap.bitCount() == 4;
    for (int x = 0; x < bitmap.width(); ++x) {
        unsigned index = nibbles ? ((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4)) : row[x];
        const TColor c = index < paletteSize ? palette[index] : 0;
        *out++ = GetBValue(c);
        *out++ = GetGValue(c);
        *out++ = GetRValue(c);
    }
}

} // namespace

void TJPEGCompressor::writeRows(const TBitmap& bitmap)
{
    const bool indexed = bitmap.bitCount() <= 8;
    std::vector<std::uint8_t> expanded(indexed ? std::size_t(bitmap.width()) * 3 : 0);
    const std::vector<TColor>& palette = bitmap.palette();
    bool stalled = false;
    guarded([&] {
        while (cinfo_.next_scanline < cinfo_.image_height && !abortRequested_) {
            const int y = int(cinfo_.next_scanline);
            JSAMPROW row;
            if (indexed) {
                expandRow(bitmap, y, palette.data(), palette.size(), expanded.data());
                row = expanded.data();
            } else {
                row = const_cast<JSAMPROW>(bitmap.scanLine(y));
            }
            if (jpeg_write_scanlines(&cinfo_, &row, 1) != 1) {
                stalled = true;
                return;
            }
        }
    });
    checkAbortRequest();
    if (stalled)
        throw EFileError("Cannot write the JPEG data");
}

// Stream compressor -------------------------------------------------------------------------

namespace {
TJPEGStreamCompressor* gDefaultCompressor = nullptr;
constexpr std::size_t kDefaultBufferSize = 4096;
} // namespace

TJPEGStreamCompressor::TJPEGStreamCompressor(bool defaultCompressor) : buffer_(kDefaultBufferSize)
{
    destination_.owner = this;
    destination_.pub.init_destination = &TJPEGStreamCompressor::initDestination;
    destination_.pub.empty_output_buffer = &TJPEGStreamCompressor::emptyOutputBuffer;
    destination_.pub.term_destination = &TJPEGStreamCompressor::termDestination;
    if (defaultCompressor && !gDefaultCompressor) {
        gDefaultCompressor = this;
        isDefault_ = true;
    }
}

TJPEGStreamCompressor::~TJPEGStreamCompressor()
{
    if (isDefault_)
        gDefaultCompressor = nullptr;
}

TJPEGStreamCompressor* TJPEGStreamCompressor::Default()
{
    return gDefaultCompressor;
}

void TJPEGStreamCompressor::SetBufferSize(std::size_t size)
{
    if (stream_ && destination_.pub.free_in_buffer < buffer_.size())
        throw EJPEGError("Cannot change buffer size while buffer is in use");
    buffer_.assign(std::max<std::size_t>(size, 16), 0);
}

void TJPEGStreamCompressor::CompressToStream(const TBitmap& bitmap, std::ostream& stream)
{
    stream_ = &stream;
    cinfo_.dest = &destination_.pub;
    try {
        compress(bitmap);
    } catch (...) {
        // Leaves the library ready for the next image whatever step failed.
        if (!inAbort_)
            Abort();
        stream_ = nullptr;
        throw;
    }
    stream_ = nullptr;
}

bool TJPEGStreamCompressor::writeOut(std::size_t count) noexcept
{
    try {
        stream_->write(reinterpret_cast<const char*>(buffer_.data()), std::streamsize(count));
        if (!*stream_)
            throw EFileError("Cannot write the JPEG data");
        return true;
    } catch (...) {
        parkCurrentException();
        return false;
    }
}

void TJPEGStreamCompressor::initDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<DestinationMgr*>(cinfo->dest);
    dest->pub.next_output_byte = dest->owner->buffer_.data();
    dest->pub.free_in_buffer = dest->owner->buffer_.size();
}

boolean TJPEGStreamCompressor::emptyOutputBuffer(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<DestinationMgr*>(cinfo->dest);
    if (!dest->owner->writeOut(dest->owner->buffer_.size()))
        leaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    dest->pub.next_output_byte = dest->owner->buffer_.data();
    dest->pub.free_in_buffer = dest->owner->buffer_.size();
    return TRUE;
}

void TJPEGStreamCompressor::termDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<DestinationMgr*>(cinfo->dest);
    const std::size_t filled = dest->owner->buffer_.size() - dest->pub.free_in_buffer;
    if (filled > 0 && !dest->owner->writeOut(filled))
        leaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    dest->pub.free_in_buffer = dest->owner->buffer_.size();
}

} // namespace kalvo
