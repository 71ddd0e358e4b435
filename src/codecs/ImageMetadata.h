#pragma once
// What a picture file says about the picture beyond its pixels and that a save carries on: the
// EXIF block (a TIFF structure: camera, date, place) and the ICC colour profile.
#include <cstdint>
#include <vector>

namespace kalvo {

struct TImageMetadata {
    std::vector<std::uint8_t> Exif;       // empty: none; checked well formed when read
    std::vector<std::uint8_t> IccProfile; // empty: none

    bool empty() const { return Exif.empty() && IccProfile.empty(); }
    void clear()
    {
        Exif.clear();
        IccProfile.clear();
    }
};

} // namespace kalvo
