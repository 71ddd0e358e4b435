#pragma once
// Brush coverage: tips stamped into a byte table, combining by maximum.
#include "imaging/raster/ByteTable.h"
#include "imaging/raster/PenBrush.h"

namespace kalvo {

// Stamps the tip centred on (x, y): every covered cell becomes max(old, weight). Cells outside
// the table are skipped.
void StampCoverage(TByteTable& table, int x, int y, const TpxPenBrush& brush);

// Stamps the tip at every walked position of the segment, rounded to the nearest pixel.
void StrokeCoverageLine(TByteTable& table, int x1, int y1, int x2, int y2, const TpxPenBrush& brush);

// Stamps the tip centred on (x, y) into table rows [rowBegin, rowEnd) only.
void StampCoverageRows(TByteTable& table, int x, int y, const TpxPenBrush& brush, int rowBegin, int rowEnd);

} // namespace kalvo
