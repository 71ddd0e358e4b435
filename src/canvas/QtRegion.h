#pragma once
// The selection region as Qt's painter takes it for clipping and filling.
#include "image/Region.h"

#include <QRegion>

namespace kalvo {

// The same rectangles as a QRegion (both keep them banded alike, so no reordering is needed).
QRegion ToQRegion(const TRegion& region);

} // namespace kalvo
