#pragma once
// Feathering the selection border: the selection mask softened along its outline.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Region.h"

namespace kalvo {

struct TObscuredSelection {
    TBitmap Mask;    // the feathered selection mask
    TPoints Outline; // its outline
    TRegion Region;  // the pixels whose mask value is not 255
};

// Widens the selection by `pixels` with a hard round tip of size 2 * pixels along the outline,
// then lets the mask rise from 0 at the old border to 255 at the new one with a soft tip of the
// same size along the widened outline. The mask is an 8-bit selection mask, the outline its
// current outline as point pairs. Raises EPxImageError "PxImage.ObscureRegion: Can not create
// region." when the mask is not 8-bit.
TObscuredSelection ObscureSelection(const TBitmap& mask, const TPoints& outline, int pixels);

} // namespace kalvo
