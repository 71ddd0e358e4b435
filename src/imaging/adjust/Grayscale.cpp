#include "imaging/adjust/Grayscale.h"

#include "imaging/raster/SelectionRows.h"

#include <array>

namespace kalvo {

namespace {

// n / 1000 rounded to nearest, ties to even (n >= 0).
int RoundThousandths(int n)
{
    const int q = n / 1000, r = n % 1000;
    return q + (r > 500 || (r == 500 && (q & 1)));
}

// The weighted channel values in thousandths, looked up per channel: 114 B, 587 G, 299 R.
struct TLumaTables {
    std::array<int, 256> B, G, R;
    TLumaTables()
    {
        for (int v = 0; v < 256; ++v) {
            B[v] = 114 * v;
            G[v] = 587 * v;
            R[v] = 299 * v;
        }
    }
};

const TLumaTables& LumaTables()
{
    static const TLumaTables tables;
    return tables;
}

} // namespace

int Luma(int red, int green, int blue)
{
    return RoundThousandths(299 * red + 587 * green + 114 * blue);
}

bool GrayscaleArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    return GrayscaleArea(bitmap, bitmap, area, mask, progress);
}

bool GrayscaleArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    const TLumaTables& t = LumaTables();
    return DriveSelectionRowsInto(source, dest, area, mask, progress,
                              [&](std::uint8_t* p, const std::uint8_t* m, int left, int right) {
                                  PixelsThroughMask(p, m, left, right, [&](const std::uint8_t* in, std::uint8_t* out) {
                                      const auto y = std::uint8_t(RoundThousandths(t.B[in[0]] + t.G[in[1]] + t.R[in[2]]));
                                      out[0] = out[1] = out[2] = y;
                                  });
                              });
}

bool Grayscale(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TProgressCallback& progress)
{
    return Grayscale(bitmap, bitmap, region, mask, progress);
}

bool Grayscale(const TBitmap& source, TBitmap& dest, const TRegionRef& region, const TBitmap* mask,
               const TProgressCallback& progress)
{
    return WithSelection(source, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return GrayscaleArea(source, dest, area, m, progress);
    });
}

} // namespace kalvo
