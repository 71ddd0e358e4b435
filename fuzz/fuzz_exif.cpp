// libFuzzer target: the EXIF block reader (the TIFF structure of a JPEG APP1 or PNG eXIf), the
// block made fit for a saved picture and the in-place orientation patch. A block made for a
// save must read back as well formed with orientation 1.
#include "codecs/exif/ExifBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> block(data, size);
    const bool wellFormed = kalvo::IsWellFormedExif(block);
    const int orientation = kalvo::ExifOrientation(block);
    if (orientation < 1 || orientation > 8)
        std::abort();
    const auto saved = kalvo::ExifForSavedPicture(block, 4000, 70000);
    if (saved && !wellFormed)
        std::abort();
    if (saved && (!kalvo::IsWellFormedExif(*saved) || kalvo::ExifOrientation(*saved) != 1))
        std::abort();
    std::vector<std::uint8_t> copy(data, data + size);
    const bool patched = kalvo::PatchExifInPlace(copy, 1, 3, 2);
    if ((patched && !wellFormed) || copy.size() != size || (!patched && !std::equal(copy.begin(), copy.end(), data)))
        std::abort();
    return 0;
}
