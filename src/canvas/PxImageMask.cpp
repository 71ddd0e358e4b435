// Setting the canvas's selection mask directly (the undo history restores it with the region).
#include "canvas/PxImage.h"

namespace kalvo {

void TpxImage::SetSelectionMask(const std::optional<TBitmap>& mask)
{
    if (!HasImage())
        return;
    FSelectionMask = mask;
    RebuildOutline();
    viewport()->update();
}

} // namespace kalvo
