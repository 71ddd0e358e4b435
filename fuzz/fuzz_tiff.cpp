// libFuzzer target: the TIFF decoder (first page, every kind libtiff turns into colours) and the
// preview's reading of a few shown rows (JPEG-compressed pages through the program's own JPEG
// decoder at a reduced scale).
#include "codecs/tiff/TiffCodec.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TDecodedImage tiff = kalvo::ReadTiff({data, size});
        (void)tiff;
    } catch (const std::exception&) {
    }
    try {
        // The shown width picks the scale: an eighth to the whole, by the input's size.
        kalvo::TTiffPreview preview = kalvo::ReadTiffPreview({data, size}, [size](int width, int height) {
            return kalvo::TTiffShownSize{int(std::int64_t(width) * int(size % 8 + 1) / 8), height / 3};
        });
        (void)preview;
    } catch (const std::exception&) {
    }
    return 0;
}
