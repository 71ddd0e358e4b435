#include "imaging/colour/DrawToPaletteBitmap.h"

#include "image/ImageErrors.h"
#include "image/PixelAccess.h"
#include "imaging/colour/NearestColorIndex.h"
#include "imaging/colour/PixelIndex.h"

#include <algorithm>
#include <array>

namespace kalvo {

namespace {

struct TClip {
    int sx0, sy0, tx0, ty0, width, height;
};

TClip clipTo(const TBitmap& target, const TBitmap& source, int x, int y)
{
    TClip c{};
    c.sx0 = std::max(0, -x);
    c.sy0 = std::max(0, -y);
    c.tx0 = x + c.sx0;
    c.ty0 = y + c.sy0;
    c.width = std::max(0, std::min(source.width() - c.sx0, target.width() - c.tx0));
    c.height = std::max(0, std::min(source.height() - c.sy0, target.height() - c.ty0));
    return c;
}

// Indexed sources: each source entry is matched once.
void drawIndexed(TBitmap& target, const TBitmap& source, const TClip& c, const TNearestColorIndex& nearest)
{
    std::array<std::uint8_t, 256> map{};
    for (std::size_t k = 0; k < map.size(); ++k)
        map[k] = std::uint8_t(nearest.indexOf(k < source.palette().size() ? source.palette()[k] : 0));
    for (int row = 0; row < c.height; ++row) {
        const std::uint8_t* in = source.scanLine(c.sy0 + row);
        std::uint8_t* out = target.scanLine(c.ty0 + row);
        for (int col = 0; col < c.width; ++col)
            PutPixelIndex(c.tx0 + col, out, target.bitCount(), map[IndexAt(in, c.sx0 + col, source.bitCount())]);
    }
}

void drawTrueColor(TBitmap& target, const TBitmap& source, const TClip& c, const TNearestColorIndex& nearest)
{
    TColor last = 0xFFFFFFFFu;
    unsigned lastIndex = 0;
    for (int row = 0; row < c.height; ++row) {
        std::uint8_t* out = target.scanLine(c.ty0 + row);
        const std::uint8_t* in = source.scanLine(c.sy0 + row) + 3 * std::size_t(c.sx0);
        const bool trueColour = source.bitCount() == 24;
        for (int col = 0; col < c.width; ++col) {
            const TColor colour = trueColour ? RGB(in[3 * col + 2], in[3 * col + 1], in[3 * col])
                                             : source.pixelColor(c.sx0 + col, c.sy0 + row);
            if (colour != last) {
                last = colour;
                lastIndex = unsigned(nearest.indexOf(colour));
            }
            PutPixelIndex(c.tx0 + col, out, target.bitCount(), lastIndex);
        }
    }
}

} // namespace

void DrawToPaletteBitmap(TBitmap& target, const TBitmap& source, int x, int y)
{
    if (target.bitCount() > 8)
        throw EPxImageError("pxImageCommon.DrawToPaletteBitmap: the target is not a palette bitmap");
    const TClip clip = clipTo(target, source, x, y);
    if (clip.width == 0 || clip.height == 0)
        return;
    const TNearestColorIndex nearest(target.palette());
    if (source.bitCount() <= 8)
        drawIndexed(target, source, clip, nearest);
    else
        drawTrueColor(target, source, clip, nearest);
}

} // namespace kalvo
