#pragma once
// The colours that painting actually produces on the current image: on a palette image the
// nearest palette entry, otherwise the colour itself.
#include "image/Bitmap.h"
#include "image/Color.h"

#include <QColor>

namespace kalvo {

// The palette entry nearest to the colour (squared RGB distance, the first of equals wins); the
// colour itself when the palette is empty.
TColor NearestPaletteColor(const std::vector<TColor>& palette, TColor color);

// The display colour of a colour for an image: nearest palette colour at 8 bits or fewer.
TColor DisplayColorFor(const TBitmap& image, TColor color);

// The colour for QPainter.
inline QColor ToQColor(TColor c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace kalvo
