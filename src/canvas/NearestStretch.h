#pragma once
// Nearest-neighbour stretch of one image row onto a row of 32-bit frame pixels (0xffRRGGBB).
// Frame column x shows image column left + min(x * 100 / zoom, sourceWidth - 1): the same
// mapping that turns a mouse position into an image column, so what is under the pointer is what
// the user sees there.
#include "image/Bitmap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvo {

class TRowStretcher {
public:
    // Prepares the column map for image columns left..left+sourceWidth-1 drawn over drawWidth
    // frame pixels at zoom per cent, and the colour lookup of palette images. The image must
    // outlive the stretcher and stay unchanged; left + sourceWidth must not exceed its width.
    TRowStretcher(const TBitmap& image, int left, int sourceWidth, int drawWidth, int zoom);

    // Writes drawWidth pixels for image row y.
    void Stretch(int y, std::uint32_t* destination) const;

    int DrawWidth() const { return int(FColumns.size()); }

private:
    const TBitmap& FImage;
    int FLeft;
    bool FRuns;                      // magnifying: fill runs of equal columns
    std::vector<int> FColumns;       // absolute image column per frame column
    std::array<std::uint32_t, 256> FLookup{}; // palette index -> frame pixel
};

// The frame pixel of a colour (red in the low byte).
constexpr std::uint32_t FramePixel(std::uint32_t color)
{
    return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

} // namespace kalvo
