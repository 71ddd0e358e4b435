// libFuzzer target: the JPEG 2000 decoder adapter (signature check, header limits, OpenJPEG
// decoding and the conversion into a bitmap). Runs single-threaded so that findings reproduce,
// with a smaller sample budget so that headers of huge but empty pictures do not stall it.
#include "codecs/jpeg2000/TpxJpeg2k.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        kalvo::TpxJpeg2k picture;
        picture.Info().Threads = 1;
        picture.Info().MaxSamples = std::uint64_t(1) << 22;
        picture.LoadFromMemory({data, size});
        if (!picture.Empty() && (picture.Width() <= 0 || picture.Height() <= 0))
            __builtin_trap();
    } catch (const std::exception&) {
    }
    return 0;
}
