#pragma once
// JPEG images held in memory, decoded one after another by one decompressor, the way TIFF stores
// them: the quantisation and Huffman tables may come once in a separate tables-only stream and
// stay for the images that follow. Every failure throws EJPEGError.
#include "codecs/jpeg/JpegBase.h"

#include <cstdint>
#include <span>

namespace kalvo {

struct TJpegMemoryFormat {
    J_COLOR_SPACE stored = JCS_YCbCr; // how the components were encoded
    J_COLOR_SPACE output = JCS_EXT_BGR;
    int components = 3; // of the stored image and of the output rows
    int eighths = 8;    // decoded at eighths/8 of the size, rounded up
};

class TJpegMemoryDecoder : public TJPEGBase {
public:
    TJpegMemoryDecoder();
    ~TJpegMemoryDecoder() override;

    // Reads a tables-only stream; its tables serve the images decoded afterwards.
    void ReadTables(std::span<const std::uint8_t> tables);
    // Reads the header of one image, which must be width wide, minHeight to maxHeight high and
    // have the format's component count, and starts its decoding at the format's scale.
    void Start(std::span<const std::uint8_t> image, const TJpegMemoryFormat& format, int width, int minHeight,
               int maxHeight);
    int OutputWidth() const { return int(cinfo_.output_width); }
    int OutputHeight() const { return int(cinfo_.output_height); }
    // The next output row into row (OutputWidth() * components bytes).
    void ReadRow(std::uint8_t* row);
    // Ends the image, read or not; the tables stay.
    void Finish();

private:
    jpeg_decompress_struct cinfo_{};
};

} // namespace kalvo
