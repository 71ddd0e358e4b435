#include "codecs/jpeg/JpegMemoryDecoder.h"

#include "image/Bitmap.h"

#include <algorithm>
#include <string>

namespace kalvo {

TJpegMemoryDecoder::TJpegMemoryDecoder()
{
    prepareErrorManager(reinterpret_cast<jpeg_common_struct*>(&cinfo_));
    guarded([this] { jpeg_CreateDecompress(&cinfo_, JPEG_LIB_VERSION, sizeof cinfo_); });
    // The progress monitor bounds the scans of a hostile progressive image.
    attachProgress();
    cinfo_.mem->max_memory_to_use = long(TBitmap::kMaxPixelBytes) * 2;
}

TJpegMemoryDecoder::~TJpegMemoryDecoder()
{
    jpeg_destroy(reinterpret_cast<jpeg_common_struct*>(&cinfo_));
}

void TJpegMemoryDecoder::ReadTables(std::span<const std::uint8_t> tables)
{
    guarded([&] {
        jpeg_mem_src(&cinfo_, tables.data(), static_cast<unsigned long>(tables.size()));
        // A stream holding an image after all leaves its tables too.
        if (jpeg_read_header(&cinfo_, FALSE) != JPEG_HEADER_TABLES_ONLY)
            jpeg_abort_decompress(&cinfo_);
    });
}

void TJpegMemoryDecoder::Start(std::span<const std::uint8_t> image, const TJpegMemoryFormat& format, int width,
                               int minHeight, int maxHeight)
{
    guarded([&] {
        jpeg_mem_src(&cinfo_, image.data(), static_cast<unsigned long>(image.size()));
        jpeg_read_header(&cinfo_, TRUE);
    });
    if (cinfo_.image_width != JDIMENSION(width) || cinfo_.image_height < JDIMENSION(minHeight)
        || cinfo_.image_height > JDIMENSION(maxHeight) || cinfo_.num_components != format.components) {
        const std::string found = std::to_string(cinfo_.image_width) + " x " + std::to_string(cinfo_.image_height)
            + " x " + std::to_string(cinfo_.num_components);
        Finish();
        throw EJPEGError("JPEG image of " + found + " where " + std::to_string(width) + " x "
                         + std::to_string(minHeight) + " x " + std::to_string(format.components) + " belongs");
    }
    // The stored colour space comes from the container, not from markers or component numbers.
    cinfo_.jpeg_color_space = format.stored;
    cinfo_.out_color_space = format.output;
    cinfo_.scale_num = unsigned(std::clamp(format.eighths, 1, 8));
    cinfo_.scale_denom = 8;
    guarded([this] { jpeg_calc_output_dimensions(&cinfo_); });
    if (cinfo_.out_color_components != format.components) {
        Finish();
        throw EJPEGError("Unable to decode a JPEG image with " + std::to_string(cinfo_.out_color_components)
                         + " colour components");
    }
    guarded([this] { jpeg_start_decompress(&cinfo_); });
}

void TJpegMemoryDecoder::ReadRow(std::uint8_t* row)
{
    bool stalled = false;
    guarded([&] {
        JSAMPROW rows[1] = {row};
        stalled = cinfo_.output_scanline >= cinfo_.output_height || jpeg_read_scanlines(&cinfo_, rows, 1) != 1;
    });
    if (stalled)
        throw EJPEGError("Read beyond end of JPEG source");
}

void TJpegMemoryDecoder::Finish()
{
    // The tables stay: they live in the decompressor's permanent memory.
    jpeg_abort_decompress(&cinfo_);
}

} // namespace kalvo
