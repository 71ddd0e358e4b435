#pragma once
// An image bitmap read from JPEG data, for previews of JPEG files: it decodes through the default
// stream decompressor when one exists, otherwise through a temporary one, and reports progress.
#include "codecs/jpeg/JpegDecompressor.h"

#include <functional>
#include <istream>
#include <string>

namespace kalvo {

enum class TJpegProgressStage { Starting, Running, Ending };

class TJPEGBitmap {
public:
    // Receives "Opening JPEG Image" (starting), "Decompressing Image" with the percentage while
    // the library works, and "Decompression completed" (ending).
    std::function<void(TJpegProgressStage stage, int percent, const std::string& message)> OnProgress;

    // Decodes the stream into Bitmap (24 bits, or 8-bit grey for grey files). Throws on failure
    // and leaves Bitmap as it was.
    void LoadFromStream(std::istream& stream);

    TBitmap Bitmap;
};

} // namespace kalvo
