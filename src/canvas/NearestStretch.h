#pragma once
// Nearest-neighbour stretch of one source row onto a row of 32-bit frame pixels (0xffRRGGBB)
// through a precomputed column map, with one pass per row.
#include "image/Bitmap.h"

#include <QImage>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvo {

// The pixels a row is stretched from: an image bitmap, or frame pixels (BitCount 0).
struct TStretchSource {
    const std::uint8_t* Bits = nullptr;
    std::size_t Stride = 0;
    int Width = 0;
    int BitCount = 0;
    const std::vector<TColor>* Palette = nullptr;

    static TStretchSource Of(const TBitmap& image);
    // A Format_RGB32 image.
    static TStretchSource OfFrame(const QImage& frame);
    const std::uint8_t* Row(int y) const { return Bits + Stride * std::size_t(y); }
};

// The source column of every frame column: frame column x shows image column
// left + min(x * 100 / zoom, sourceWidth - 1), divided by `reduction` for a reduced copy that
// keeps every reduction-th column. This is the mapping that turns a mouse position into an image
// column, so what the pointer is over is what the user sees there.
std::vector<int> ColumnMap(int left, int sourceWidth, int drawWidth, int zoom, int reduction = 1);

class TRowStretcher {
public:
    // The columns must lie inside the source; the source must outlive the stretcher.
    TRowStretcher(const TStretchSource& source, std::vector<int> columns);

    // Writes one frame pixel per column for source row y.
    void Stretch(int y, std::uint32_t* destination) const;

private:
    TStretchSource FSource;
    std::vector<int> FColumns;
    bool FRuns = false;                       // magnifying: fill runs of equal columns
    bool FIdentity = false;                   // consecutive columns: a straight conversion
    std::array<std::uint32_t, 256> FLookup{}; // palette index -> frame pixel
};

// The frame pixel of a colour (red in the low byte).
constexpr std::uint32_t FramePixel(std::uint32_t color)
{
    return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

} // namespace kalvo
