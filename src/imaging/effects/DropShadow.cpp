#include "imaging/effects/DropShadow.h"

#include "image/Outline.h"
#include "image/Palette.h"
#include "imaging/raster/PixelMath.h"
#include "imaging/raster/RowDriver.h"
#include "imaging/raster/StrokeAndBlend.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

namespace {

// The selection mask moved by (dx, dy) over a mask of 255 (nothing selected).
TBitmap ShiftedMask(const TBitmap& mask, int dx, int dy)
{
    TBitmap shifted(mask.width(), mask.height(), 8);
    shifted.setPalette(CreateGreyPalette());
    std::memset(shifted.bits(), 255, shifted.byteSize());
    const int x0 = std::max(0, dx), x1 = std::min(mask.width(), mask.width() + dx);
    for (int y = std::max(0, dy); y < std::min(mask.height(), mask.height() + dy) && x0 < x1; ++y)
        std::memcpy(shifted.scanLine(y) + x0, mask.scanLine(y - dy) + (x0 - dx), std::size_t(x1 - x0));
    return shifted;
}

// Narrows the shifted selection along its outline, then softens it along the new outline:
// 0 inside the shrunk shape rising to 255 at distance obscure + 1 outside it.
TBitmap ShadowMask(const TBitmap& mask, const TPoints& outline, int dx, int dy, int obscure)
{
    TBitmap shadow = ShiftedMask(mask, dx, dy);
    TPoints shifted = outline;
    for (QPoint& p : shifted)
        p += QPoint(dx, dy);
    TpxPenBrush tip;
    BuildBrush(tip, obscure + 1, 100, TpxBrushStyle::pxsRound);
    StrokeAndBlend(shadow, shifted, true, 0, 0, tip);
    TPoints narrowed;
    Bitmap8ToPoints(&shadow, narrowed);
    BuildBrush(tip, (obscure + 1) * 2, 0, TpxBrushStyle::pxsRound);
    StrokeAndBlend(shadow, narrowed, true, 0, 255, tip);
    return shadow;
}

} // namespace

std::optional<TBitmap> DropShadow(const TBitmap& image, const TBitmap& mask, const TPoints& outline,
                                  const TDropShadowParams& params, const TProgressCallback& progress)
{
    if (outline.size() < 2 || image.empty() || image.bitCount() != 24 || mask.bitCount() != 8
        || mask.width() != image.width() || mask.height() != image.height())
        return std::nullopt;
    // f = 1 - alpha / 100; u = s * f + (1 - f) * 255 is computed as an exact fraction of 100.
    const int alpha = std::clamp(params.AlphaChannel, 0, 100);
    const TBitmap shadow = ShadowMask(mask, outline, params.OffsetX, params.OffsetY,
                                      std::clamp(params.Obscure, 0, 100));
    const int colour[3] = {GetBValue(params.Color), GetGValue(params.Color), GetRValue(params.Color)};
    TBitmap result = image;
    const int width = image.width();
    auto work = [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* m = mask.scanLine(y);
            const std::uint8_t* s = shadow.scanLine(y);
            // Rows wholly inside the object or wholly without shadow stay as they are.
            if (MaskCover(m, width) == TMaskCover::All || MaskCover(s, width) == TMaskCover::None)
                continue;
            std::uint8_t* p = result.scanLine(y);
            for (int x = 0; x < width; ++x) {
                if (m[x] == 0 || s[x] == 255)
                    continue; // inside the object, or no shadow here
                const int u = clamp255((s[x] * (100 - alpha) + 255 * alpha) / 100);
                const int w = clamp255(255 - m[x] + u);
                if (w == 255)
                    continue;
                for (int c = 0; c < 3; ++c)
                    p[3 * x + c] = std::uint8_t((p[3 * x + c] * w + (255 - w) * colour[c]) / 255);
            }
        }
    };
    if (progress)
        DriveRows(
            image.height(), width, [&](int y) { progress(RowPercent(y, image.height())); }, work);
    else
        DriveRows(image.height(), width, work);
    return result;
}

} // namespace kalvo
