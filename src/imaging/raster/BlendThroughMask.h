#pragma once
// Writing a changed copy of the image back through a feathered selection.
#include "image/Bitmap.h"

#include <QPoint>

namespace kalvo {

// For a 24-bit target and source and an 8-bit selection mask: every target pixel with mask
// value l != 255 becomes per channel ((255 - l) * source + l * target) div 255, so selected
// pixels (0) take the source, unselected ones (255) keep the target and partly selected ones mix.
// Pixels beyond the mask or the source are kept. The source may cover only part of the target,
// with its top-left pixel at target (and mask) pixel `at`. False (nothing written) for other
// depths.
bool BlendThroughMask(TBitmap& target, const TBitmap& mask, const TBitmap& source, QPoint at = QPoint(0, 0));

} // namespace kalvo
