#include "codecs/jpeg/JpegDecompressor.h"

#include "image/ImageErrors.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>

#include <jerror.h>

namespace kalvo {

namespace {

TJPEGDecompressor* ownerOf(j_decompress_ptr cinfo)
{
    return static_cast<TJPEGDecompressor*>(reinterpret_cast<TJpegErrorMgr*>(cinfo->err)->owner);
}

// Takes one byte from the source; false when the source cannot supply one.
bool nextByte(j_decompress_ptr cinfo, int& value)
{
    jpeg_source_mgr* src = cinfo->src;
    if (src->bytes_in_buffer == 0 && !(*src->fill_input_buffer)(cinfo))
        return false;
    --src->bytes_in_buffer;
    value = *src->next_input_byte++;
    return true;
}

int bitsForKind(int kind)
{
    switch (kind) {
    case kJpegOutputColors256:
    case kJpegOutputGray: return 8;
    case kJpegOutputColors16: return 4;
    default: return 24;
    }
}

// Packs one row of palette indices two to a byte, first pixel in the high nibble.
void packNibbles(const JSAMPLE* indices, std::uint8_t* out, unsigned width)
{
    for (unsigned x = 0; x + 1 < width; x += 2)
        *out++ = std::uint8_t((indices[x] << 4) | (indices[x + 1] & 0x0F));
    if (width & 1)
        *out = std::uint8_t(indices[width - 1] << 4);
}

} // namespace

TJPEGDecompressor::TJPEGDecompressor()
{
    prepareErrorManager(reinterpret_cast<jpeg_common_struct*>(&cinfo_));
    guarded([this] { jpeg_CreateDecompress(&cinfo_, JPEG_LIB_VERSION, sizeof cinfo_); });
    attachProgress();
    // Whole-image buffers (progressive and quantised decoding) stay within the bitmap bound.
    cinfo_.mem->max_memory_to_use = long(TBitmap::kMaxPixelBytes) * 2;
    jpeg_set_marker_processor(&cinfo_, JPEG_COM, &TJPEGDecompressor::readCommentMarker);
    for (int m = JPEG_APP0 + 1; m <= JPEG_APP0 + 15; ++m)
        if (m != JPEG_APP0 + 14)
            jpeg_set_marker_processor(&cinfo_, m, &TJPEGDecompressor::readAppMarker);
}

TJPEGDecompressor::~TJPEGDecompressor()
{
    jpeg_destroy(reinterpret_cast<jpeg_common_struct*>(&cinfo_));
}

int TJPEGDecompressor::DefaultOutputKind() const
{
    return (cinfo_.out_color_space == JCS_GRAYSCALE || GrayscaleOutput) ? kJpegOutputGray : kJpegOutput24;
}

void TJPEGDecompressor::SetScaleEighths(int eighths)
{
    cinfo_.scale_num = unsigned(std::clamp(eighths, 1, 8));
    cinfo_.scale_denom = 8;
}

void TJPEGDecompressor::readHeader()
{
    guarded([this] { jpeg_read_header(&cinfo_, TRUE); });
    cinfo_.dct_method = DCTMethod;
    cinfo_.do_fancy_upsampling = FancyUpsampling ? TRUE : FALSE;
    cinfo_.do_block_smoothing = BlockSmoothing ? TRUE : FALSE;
    cinfo_.two_pass_quantize = TwoPassQuantize ? TRUE : FALSE;
    cinfo_.dither_mode = DitherMode;
    guarded([this] { jpeg_calc_output_dimensions(&cinfo_); });
}

void TJPEGDecompressor::prepareOutput(int kind)
{
    if (cinfo_.out_color_space == JCS_GRAYSCALE && kind != kJpegOutputGray)
        throw EJPEGError("Image is Grayscale but colour output requested");
    switch (kind) {
    case kJpegOutputColors256:
        cinfo_.quantize_colors = TRUE;
        cinfo_.desired_number_of_colors = std::clamp(DesiredColors, 8, 256);
        break;
    case kJpegOutputColors16:
        cinfo_.quantize_colors = TRUE;
        cinfo_.desired_number_of_colors = 16;
        break;
    case kJpegOutputGray: cinfo_.out_color_space = JCS_GRAYSCALE; break;
    default:
        // Blue first, as the bitmap stores 24-bit pixels.
        if (cinfo_.out_color_space == JCS_RGB)
            cinfo_.out_color_space = JCS_EXT_BGR;
        break;
    }
    guarded([this] { jpeg_calc_output_dimensions(&cinfo_); });
    const bool layoutFits = kind == kJpegOutputGray ? cinfo_.out_color_components == 1
                                                    : cinfo_.out_color_components == 3;
    if (!layoutFits)
        throw EJPEGError("Unable to decode a JPEG image with " + std::to_string(cinfo_.out_color_components)
                         + " colour components");
    if (!TBitmap::fitsBounds(int(std::min<JDIMENSION>(cinfo_.output_width, 1u << 20)),
                             int(std::min<JDIMENSION>(cinfo_.output_height, 1u << 20)), bitsForKind(kind)))
        throw EJPEGError("Image is too large (" + std::to_string(cinfo_.output_width) + " x "
                         + std::to_string(cinfo_.output_height) + ")");
}

TBitmap TJPEGDecompressor::ToBitmap(int kind)
{
    prepareOutput(kind);
    TBitmap bitmap(int(cinfo_.output_width), int(cinfo_.output_height), bitsForKind(kind));
    guarded([this] { jpeg_start_decompress(&cinfo_); });
    readRows(bitmap, kind);
    finishBitmap(bitmap, kind);
    setProgressComplete();
    guarded([this] { jpeg_finish_decompress(&cinfo_); });
    return bitmap;
}

void TJPEGDecompressor::finishBitmap(TBitmap& bitmap, int kind)
{
    if (kind == kJpegOutputGray) {
        bitmap.setPalette(DefaultPalette(8));
    } else if (kind != kJpegOutput24) {
        std::vector<TColor> palette(std::size_t(std::max(cinfo_.actual_number_of_colors, 0)));
        for (std::size_t i = 0; i < palette.size(); ++i)
            palette[i] = RGB(cinfo_.colormap[0][i], cinfo_.colormap[1][i], cinfo_.colormap[2][i]);
        bitmap.setPalette(std::move(palette));
    }
}

bool TJPEGDecompressor::CanDecodeInBands(int kind) const
{
    return (kind == kJpegOutput24 || kind == kJpegOutputGray) && !cinfo_.progressive_mode
        && !jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo_)) && !cinfo_.buffered_image
        && cinfo_.scale_num == cinfo_.scale_denom && !OnProgressReport;
}

int TJPEGDecompressor::BandSplitRow() const
{
    // Reading a row's data without transforming it takes about 0.35-0.55 of its whole decoding
    // (more for noisy photos): the upper band takes 0.62 of the rows, rounded to whole rows of
    // blocks so that the lower band starts where the data of a block row starts.
    const int blockRows = std::max(cinfo_.max_v_samp_factor, 1) * DCTSIZE;
    const int rows = int(cinfo_.output_height);
    const int split = (rows * 62 / 100) / blockRows * blockRows;
    return std::clamp(split, 0, rows);
}

TBitmap TJPEGDecompressor::ToBitmapInBands(int kind, int splitRow, const std::function<void(TBitmap&)>& lower)
{
    prepareOutput(kind);
    TBitmap bitmap(int(cinfo_.output_width), int(cinfo_.output_height), bitsForKind(kind));
    std::exception_ptr lowerFailure;
    std::optional<std::thread> worker;
    try {
        worker.emplace([&] {
            try {
                lower(bitmap);
            } catch (...) {
                lowerFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: this thread decodes every row.
        splitRow = int(cinfo_.output_height);
    }
    std::exception_ptr upperFailure;
    try {
        guarded([this] { jpeg_start_decompress(&cinfo_); });
        readRows(bitmap, kind, splitRow);
    } catch (...) {
        upperFailure = std::current_exception();
    }
    if (worker)
        worker->join();
    if (upperFailure)
        std::rethrow_exception(upperFailure);
    if (lowerFailure)
        std::rethrow_exception(lowerFailure);
    finishBitmap(bitmap, kind);
    setProgressComplete();
    if (worker) {
        // The rest of the data was the lower band's decompressor's to read.
        jpeg_abort_decompress(&cinfo_);
    } else {
        guarded([this] { jpeg_finish_decompress(&cinfo_); });
    }
    return bitmap;
}

void TJPEGDecompressor::ReadRowsFrom(TBitmap& bitmap, int kind, int firstRow)
{
    prepareOutput(kind);
    if (int(cinfo_.output_width) != bitmap.width() || int(cinfo_.output_height) != bitmap.height())
        throw EJPEGError("The JPEG file changed while it was read");
    guarded([this] { jpeg_start_decompress(&cinfo_); });
    JDIMENSION passed = 0;
    guarded([&] { passed = jpeg_skip_scanlines(&cinfo_, JDIMENSION(firstRow)); });
    if (passed != JDIMENSION(firstRow))
        throw EJPEGError("Read beyond end of JPEG source");
    readRows(bitmap, kind);
    guarded([this] { jpeg_finish_decompress(&cinfo_); });
}

bool TJPEGDecompressor::dcKnownForAllComponents() const
{
    if (!cinfo_.coef_bits)
        return false;
    for (int c = 0; c < cinfo_.num_components; ++c)
        if (cinfo_.coef_bits[c][0] < 0)
            return false;
    return true;
}

TBitmap TJPEGDecompressor::ToBitmapFromFirstScans(int kind)
{
    if (!cinfo_.progressive_mode)
        return ToBitmap(kind);
    cinfo_.buffered_image = TRUE;
    prepareOutput(kind);
    TBitmap bitmap(int(cinfo_.output_width), int(cinfo_.output_height), bitsForKind(kind));
    guarded([this] { jpeg_start_decompress(&cinfo_); });
    // Reads scans until every component has its DC coefficients (or the data ends).
    bool stalled = false;
    guarded([&] {
        while (!dcKnownForAllComponents()) {
            const int status = jpeg_consume_input(&cinfo_);
            if (status == JPEG_REACHED_EOI)
                return;
            if (status == JPEG_SUSPENDED) {
                stalled = true;
                return;
            }
        }
    });
    if (stalled)
        throw EJPEGError("Read beyond end of JPEG source");
    guarded([this] { jpeg_start_output(&cinfo_, cinfo_.input_scan_number); });
    readRows(bitmap, kind);
    finishBitmap(bitmap, kind);
    guarded([this] { jpeg_finish_output(&cinfo_); });
    // The rest of the file is not needed.
    jpeg_abort_decompress(&cinfo_);
    return bitmap;
}

void TJPEGDecompressor::readRows(TBitmap& bitmap, int kind, int endRow)
{
    std::vector<JSAMPLE> indexRow(kind == kJpegOutputColors16 ? cinfo_.output_width : 0);
    const JDIMENSION end = endRow < 0 ? cinfo_.output_height : std::min(JDIMENSION(endRow), cinfo_.output_height);
    bool stalled = false;
    guarded([&] {
        while (cinfo_.output_scanline < end && !abortRequested_) {
            const int y = int(cinfo_.output_scanline);
            JSAMPROW row = indexRow.empty() ? bitmap.scanLine(y) : indexRow.data();
            if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1) {
                stalled = true;
                return;
            }
            if (!indexRow.empty())
                packNibbles(indexRow.data(), bitmap.scanLine(y), cinfo_.output_width);
        }
    });
    checkAbortRequest();
    if (stalled)
        throw EJPEGError("Read beyond end of JPEG source");
}

bool TJPEGDecompressor::readMarkerPayload(long length) noexcept
{
    try {
        markerData_.resize(std::size_t(std::max(length, 0L)));
    } catch (...) {
        parkCurrentException();
        return false;
    }
    for (std::size_t i = 0; i < markerData_.size(); ++i) {
        int value = 0;
        if (!nextByte(&cinfo_, value)) {
            parkReadBeyondEnd();
            return false;
        }
        markerData_[i] = std::uint8_t(value);
    }
    return true;
}

void TJPEGDecompressor::parkReadBeyondEnd() noexcept
{
    try {
        throw EJPEGError("Read beyond end of JPEG source");
    } catch (...) {
        parkCurrentException();
    }
}

bool TJPEGDecompressor::deliverComment() noexcept
{
    try {
        OnComment(std::string(markerData_.begin(), markerData_.end()));
    } catch (...) {
        parkCurrentException();
        return false;
    }
    return true;
}

bool TJPEGDecompressor::deliverAppMarker(int appNumber) noexcept
{
    try {
        OnAppMarker(appNumber, markerData_);
    } catch (...) {
        parkCurrentException();
        return false;
    }
    return true;
}

// Marker processors run inside the library: they hold no objects with destructors, so that a
// library error may jump out of them.
boolean TJPEGDecompressor::readMarker(j_decompress_ptr cinfo, bool comment)
{
    TJPEGDecompressor* self = ownerOf(cinfo);
    int hi = 0, lo = 0;
    if (!nextByte(cinfo, hi) || !nextByte(cinfo, lo)) {
        self->parkReadBeyondEnd();
        leaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    }
    const long length = ((long(hi) << 8) | lo) - 2;
    const bool wanted = comment ? bool(self->OnComment) : bool(self->OnAppMarker);
    if (!wanted) {
        if (length > 0)
            (*cinfo->src->skip_input_data)(cinfo, length);
        return TRUE;
    }
    if (!self->readMarkerPayload(length))
        leaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    const bool delivered = comment ? self->deliverComment() : self->deliverAppMarker(cinfo->unread_marker - JPEG_APP0);
    if (!delivered)
        leaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    return TRUE;
}

boolean TJPEGDecompressor::readCommentMarker(j_decompress_ptr cinfo)
{
    return readMarker(cinfo, true);
}

boolean TJPEGDecompressor::readAppMarker(j_decompress_ptr cinfo)
{
    return readMarker(cinfo, false);
}

// Stream decompressor ------------------------------------------------------------------------

namespace {
TJPEGStreamDecompressor* gDefaultDecompressor = nullptr;
constexpr std::size_t kDefaultBufferSize = 4096;
} // namespace

TJPEGStreamDecompressor::TJPEGStreamDecompressor(bool defaultDecompressor) : buffer_(kDefaultBufferSize)
{
    source_.owner = this;
    source_.pub.init_source = &TJPEGStreamDecompressor::initSource;
    source_.pub.fill_input_buffer = &TJPEGStreamDecompressor::fillInputBuffer;
    source_.pub.skip_input_data = &TJPEGStreamDecompressor::skipInputData;
    source_.pub.resync_to_restart = &jpeg_resync_to_restart;
    source_.pub.term_source = &TJPEGStreamDecompressor::termSource;
    if (defaultDecompressor && !gDefaultDecompressor) {
        gDefaultDecompressor = this;
        isDefault_ = true;
    }
}

TJPEGStreamDecompressor::~TJPEGStreamDecompressor()
{
    if (isDefault_)
        gDefaultDecompressor = nullptr;
}

TJPEGStreamDecompressor* TJPEGStreamDecompressor::Default()
{
    return gDefaultDecompressor;
}

void TJPEGStreamDecompressor::Attach(std::istream& stream)
{
    stream_ = &stream;
    delivered_ = 0;
    source_.pub.next_input_byte = nullptr;
    source_.pub.bytes_in_buffer = 0;
    cinfo_.src = &source_.pub;
    try {
        readHeader();
    } catch (...) {
        Detach();
        throw;
    }
}

void TJPEGStreamDecompressor::Detach()
{
    stream_ = nullptr;
    source_.pub.bytes_in_buffer = 0;
}

void TJPEGStreamDecompressor::SetBufferSize(std::size_t size)
{
    if (stream_ && source_.pub.bytes_in_buffer > 0)
        throw EJPEGError("Cannot change buffer size while buffer is in use");
    buffer_.assign(std::max<std::size_t>(size, 2), 0);
}

long TJPEGStreamDecompressor::readChunk() noexcept
{
    try {
        if (!stream_)
            return 0;
        stream_->read(reinterpret_cast<char*>(buffer_.data()), std::streamsize(buffer_.size()));
        const long got = long(stream_->gcount());
        if (stream_->bad())
            throw EFileError("Cannot read the JPEG data");
        stream_->clear();
        delivered_ += std::uint64_t(got);
        return got;
    } catch (...) {
        parkCurrentException();
        return -1;
    }
}

bool TJPEGStreamDecompressor::skipStream(std::uint64_t count) noexcept
{
    try {
        stream_->seekg(std::streamoff(count), std::ios::cur);
        if (stream_->bad())
            throw EFileError("Cannot read the JPEG data");
        stream_->clear();
        delivered_ += count;
        return true;
    } catch (...) {
        parkCurrentException();
        return false;
    }
}

void TJPEGStreamDecompressor::initSource(j_decompress_ptr cinfo)
{
    cinfo->src->bytes_in_buffer = 0;
}

boolean TJPEGStreamDecompressor::fillInputBuffer(j_decompress_ptr cinfo)
{
    auto* src = reinterpret_cast<SourceMgr*>(cinfo->src);
    TJPEGStreamDecompressor* self = src->owner;
    long got = self->readChunk();
    if (got < 0)
        leaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    if (got == 0) {
        if (self->delivered_ == 0)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        // An end-of-image marker lets the library finish what it has.
        self->buffer_[0] = 0xFF;
        self->buffer_[1] = JPEG_EOI;
        got = 2;
    }
    src->pub.next_input_byte = self->buffer_.data();
    src->pub.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void TJPEGStreamDecompressor::skipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    auto* src = reinterpret_cast<SourceMgr*>(cinfo->src);
    if (std::size_t(count) > src->pub.bytes_in_buffer) {
        const std::uint64_t missing = std::uint64_t(count) - src->pub.bytes_in_buffer;
        src->pub.bytes_in_buffer = 0;
        if (!src->owner->skipStream(missing))
            leaveLibrary(reinterpret_cast<j_common_ptr>(cinfo));
    } else {
        src->pub.next_input_byte += count;
        src->pub.bytes_in_buffer -= std::size_t(count);
    }
}

void TJPEGStreamDecompressor::termSource(j_decompress_ptr)
{
}

} // namespace kalvo
