// The selection mask: created from the region for the brush, marked by added and subtracted
// shapes, and set from a picture by undo and redo (after the region).
#include "document/Document.h"

#include "image/Palette.h"
#include "image/RegionConvert.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

namespace {

// A mask of only 0 and 255 says no more than the region.
bool isHard(const TBitmap& mask)
{
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint8_t* row = mask.scanLine(y);
        if (std::any_of(row, row + mask.width(), [](std::uint8_t v) { return v != 0 && v != 255; }))
            return false;
    }
    return true;
}

bool isGreyPalette(const std::vector<TColor>& palette)
{
    for (std::size_t i = 0; i < palette.size(); ++i)
        if (palette[i] != RGB(int(i), int(i), int(i)))
            return false;
    return palette.size() == 256;
}

// Draws a picture at (0, 0) over an all-255 grey mask: each pixel becomes the grey nearest to
// its colour (the identity for a grey 8-bit picture).
void drawOverMask(TBitmap& mask, const TBitmap& picture)
{
    const int w = std::min(mask.width(), picture.width());
    const int h = std::min(mask.height(), picture.height());
    const bool direct = picture.bitCount() == 8 && isGreyPalette(picture.palette());
    for (int y = 0; y < h; ++y) {
        std::uint8_t* out = mask.scanLine(y);
        if (direct) {
            std::memcpy(out, picture.scanLine(y), std::size_t(w));
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const TColor c = picture.pixelColor(x, y);
            out[x] = std::uint8_t((GetRValue(c) + GetGValue(c) + GetBValue(c) + 1) / 3);
        }
    }
}

} // namespace

void FillMaskRegion(TBitmap& mask, const TRegion& region, std::uint8_t value)
{
    for (const pixman_box32_t& b : region.boxes()) {
        const int left = std::max(b.x1, 0);
        const int right = std::min(b.x2, mask.width());
        const int bottom = std::min(b.y2, mask.height());
        if (left >= right)
            continue;
        for (int y = std::max(b.y1, 0); y < bottom; ++y)
            std::memset(mask.scanLine(y) + left, value, std::size_t(right - left));
    }
}

TBitmap TDocument::CreateSelectionMask() const
{
    return RegionToMask(FRegion, FBitmap.width(), FBitmap.height());
}

void TDocument::EnsureSelectionMask()
{
    if (!FSelectionMask && HasImage())
        FSelectionMask = CreateSelectionMask();
}

bool TDocument::IsMaskHard() const
{
    return !FSelectionMask || isHard(*FSelectionMask);
}

void TDocument::MarkMaskSelected(const TRegion& region)
{
    if (FSelectionMask)
        FillMaskRegion(*FSelectionMask, region, 0);
}

void TDocument::MarkMaskUnselected(const TRegion& region)
{
    if (FSelectionMask)
        FillMaskRegion(*FSelectionMask, region, 255);
}

void TDocument::SetMaskFromPicture(const std::optional<TBitmap>& picture)
{
    FSelectionMask.reset();
    if (picture && !picture->empty()) {
        TBitmap mask(FBitmap.width(), FBitmap.height(), 8);
        mask.setPalette(CreateGreyPalette());
        std::memset(mask.bits(), 255, mask.byteSize());
        drawOverMask(mask, *picture);
        if (!isHard(mask))
            FSelectionMask = std::move(mask);
    }
    RebuildOutline();
}

} // namespace kalvo
