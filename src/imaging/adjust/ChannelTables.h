#pragma once
// The per-channel adjustments as look-up tables: each channel value v of a 24-bit picture
// becomes table[v], inside the selection and weighted by a feathered mask as the negative is.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <optional>

namespace kalvo {

using TValueTable = std::array<std::uint8_t, 256>;
// One table per channel in the pixels' byte order: blue, green, red.
using TChannelTables = std::array<TValueTable, 3>;

// The same table for all three channels.
TChannelTables SameTables(const TValueTable& table);

// Maps every channel through its table inside `area` (none = the whole image); with a mask,
// channel d of a pixel with mask value m becomes MaskBlend(d, table[d], m). False, changing
// nothing, unless the bitmap is 24-bit.
bool ApplyTablesArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                     const TChannelTables& tables, const TProgressCallback& progress = {});
// The same from source into dest (source itself, or a bitmap of its layout whose pixels are
// undefined: each row is copied and mapped while in the cache). False, changing nothing, unless
// both are 24-bit and of one size.
bool ApplyTablesArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                     const TChannelTables& tables, const TProgressCallback& progress = {});

// The same inside the selection (region and mask as the negative takes them).
bool ApplyTables(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TChannelTables& tables,
                 const TProgressCallback& progress = {});

} // namespace kalvo
