#pragma once
// Reduced copies of an image for composing frames at 50 % or less: the copy for factor k keeps
// every k-th pixel of every k-th row, already as frame pixels, so that a zoomed-out frame reads
// a few megabytes instead of the whole image. A copy is built on first use for its factor; the
// last few factors are kept. The cache must be cleared whenever the image's pixels or palette
// change.
#include "image/Bitmap.h"

#include <QImage>

#include <utility>
#include <vector>

namespace kalvo {

class TReducedImages {
public:
    // Forgets every copy (the image changed).
    void Clear() { FLevels.clear(); }
    bool Empty() const { return FLevels.empty(); }
    // Brings every kept copy up to date for the image pixels inside rect (image coordinates).
    void Update(const TBitmap& image, const QRect& rect);
    // The copy for factor k >= 2: pixel (x, y) is image pixel (k x, k y). A null image when
    // there is no memory for it (nothing is kept then).
    const QImage& Level(const TBitmap& image, int k);
    // 100 div zoom at 50 % or less (each screen pixel then covers k or more image pixels, so
    // the pixel a reduced copy shows lies under the same screen pixel); 1 above 50 %.
    static int FactorFor(int zoom);

private:
    static constexpr std::size_t kKeep = 3;
    std::vector<std::pair<int, QImage>> FLevels; // most recently built last
};

} // namespace kalvo
