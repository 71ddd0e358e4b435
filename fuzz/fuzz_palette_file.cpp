// libFuzzer target: the palette file (JASC-PAL) reader.
#include "imaging/colour/JascPalette.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto palette = kalvo::ParseJascPalette({reinterpret_cast<const char*>(data), size});
    if (palette && (palette->empty() || palette->size() > 256))
        std::abort();
    return 0;
}
