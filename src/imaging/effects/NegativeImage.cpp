#include "imaging/effects/NegativeImage.h"

#include "imaging/raster/SelectionRows.h"

#include <array>

namespace kalvo {

namespace {

// The new value of channel d for each mask value, so that the row loop is a table look-up.
using TNegativeTable = std::array<std::array<std::uint8_t, 256>, 256>;

const TNegativeTable& NegativeTable()
{
    static const TNegativeTable table = [] {
        TNegativeTable t{};
        for (int m = 0; m < 256; ++m) {
            const double c = m / 255.0;
            for (int d = 0; d < 256; ++d)
                t[m][d] = std::uint8_t(Round(d * c + (1 - c) * (255 - d)));
        }
        return t;
    }();
    return table;
}

// The straight inversion of bytes [begin, end) of a row: what the table gives for mask value 0.
void InvertBytes(std::uint8_t* p, int begin, int end)
{
    for (int i = begin; i < end; ++i)
        p[i] = std::uint8_t(255 - p[i]);
}

// Pixels [left, right) of a row through mask values m (m[x] for pixel x).
void NegativeThroughMask(std::uint8_t* p, const std::uint8_t* m, int left, int right)
{
    switch (MaskCover(m + left, right - left)) {
    case TMaskCover::None: return;
    case TMaskCover::All: InvertBytes(p, 3 * left, 3 * right); return;
    case TMaskCover::Partly: break;
    }
    const TNegativeTable& table = NegativeTable();
    for (int x = left; x < right; ++x) {
        const int value = m[x];
        if (value == 255)
            continue;
        const auto& row = table[value];
        p[3 * x] = row[p[3 * x]];
        p[3 * x + 1] = row[p[3 * x + 1]];
        p[3 * x + 2] = row[p[3 * x + 2]];
    }
}

} // namespace

namespace {

// The negative's row kernel: through the mask when there is one, else a straight inversion.
void NegativeRow(std::uint8_t* p, const std::uint8_t* m, int left, int right)
{
    if (m)
        NegativeThroughMask(p, m, left, right);
    else
        InvertBytes(p, 3 * left, 3 * right);
}

} // namespace

bool NegativeImageArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                       const TProgressCallback& progress)
{
    NegativeTable(); // built once here rather than raced for by the threads
    return DriveSelectionRows(bitmap, area, mask, progress, NegativeRow);
}

bool NegativeImageInto(const TBitmap& source, TBitmap& dest, const TRegionRef& region, const TBitmap* mask,
                       const TProgressCallback& progress)
{
    NegativeTable();
    return WithSelection(source, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return DriveSelectionRowsInto(source, dest, area, m, progress, NegativeRow);
    });
}

bool NegativeImage(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TProgressCallback& progress)
{
    return NegativeImageInto(bitmap, bitmap, region, mask, progress);
}

} // namespace kalvo
