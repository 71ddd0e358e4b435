// libFuzzer target: the region stream loader (clipboard and undo data), then the region's own
// round trip and outline, which must hold for anything the loader accepts.
#include "image/Outline.h"
#include "image/Region.h"

#include <cstdint>
#include <cstdlib>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalvo::TRegionRef region;
    try {
        region = kalvo::RegionFromBytes({data, size});
    } catch (const std::exception&) {
        return 0;
    }
    if (!region)
        return 0;
    const std::vector<std::uint8_t> bytes = kalvo::RegionToBytes(*region);
    const kalvo::TRegionRef again = kalvo::RegionFromBytes(bytes);
    if (!again || !(*again == *region) || kalvo::RegionToBytes(*again) != bytes)
        std::abort();
    const kalvo::TRect box = region->boundingRect();
    if (std::int64_t(box.width()) * box.height() <= 4096) {
        kalvo::TPoints points;
        kalvo::RegionToPoints(region, points);
    }
    return 0;
}
