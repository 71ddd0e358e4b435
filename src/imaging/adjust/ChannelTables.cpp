#include "imaging/adjust/ChannelTables.h"

#include "imaging/raster/SelectionRows.h"

namespace kalvo {

TChannelTables SameTables(const TValueTable& table)
{
    return {table, table, table};
}

bool ApplyTablesArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                     const TChannelTables& tables, const TProgressCallback& progress)
{
    return ApplyTablesArea(bitmap, bitmap, area, mask, tables, progress);
}

bool ApplyTablesArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                     const TChannelTables& tables, const TProgressCallback& progress)
{
    const TValueTable &b = tables[0], &g = tables[1], &r = tables[2];
    return DriveSelectionRowsInto(
        source, dest, area, mask, progress, [&](std::uint8_t* p, const std::uint8_t* m, int left, int right) {
            PixelsThroughMask(p, m, left, right, [&](const std::uint8_t* in, std::uint8_t* out) {
                const std::uint8_t v0 = b[in[0]], v1 = g[in[1]], v2 = r[in[2]];
                out[0] = v0;
                out[1] = v1;
                out[2] = v2;
            });
        });
}

bool ApplyTables(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TChannelTables& tables,
                 const TProgressCallback& progress)
{
    return WithSelection(bitmap, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return ApplyTablesArea(bitmap, area, m, tables, progress);
    });
}

} // namespace kalvo
