// Setting the canvas's selection mask directly (undo and redo restore it after the region).
#include "canvas/PxImage.h"

#include <algorithm>

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

} // namespace

void TpxImage::SetSelectionMask(const std::optional<TBitmap>& mask)
{
    if (!HasImage())
        return;
    FSelectionMask.reset();
    if (mask && mask->bitCount() == 8 && mask->width() == Bitmap().width()
        && mask->height() == Bitmap().height() && !isHard(*mask)) {
        FSelectionMask = *mask;
        FSelectionMask->setPalette(DefaultPalette(8));
    }
    RebuildOutline();
    viewport()->update();
}

} // namespace kalvo
