#pragma once
// The drop shadow of one area of an image, for previews: computed on a crop around the area
// instead of the whole image, so that its cost follows the area's size.
#include "image/Bitmap.h"
#include "imaging/effects/DropShadow.h"
#include "imaging/geometry/CanvasSize.h" // CropBitmap, which the callers of the area use

#include <QRect>

#include <optional>

namespace kalvo {

// The pixels of `area` (clipped to the image) as DropShadow(image, mask, outline of mask, params)
// gives them: the shadow is computed on a crop that reaches beyond the area by the offset and
// twice the blur, far enough that the crop's own edges cannot reach into the area. The outline
// is traced from the cropped mask. None when the clipped area is empty or nothing casts a
// shadow into it (the area then keeps the image's pixels).
std::optional<TBitmap> DropShadowArea(const TBitmap& image, const TBitmap& mask, const TDropShadowParams& params,
                                      const QRect& area);

} // namespace kalvo
