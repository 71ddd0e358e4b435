#pragma once
// The progress callback that long image operations report through: it receives a position, a
// percentage 0..100 unless the operation says otherwise (the DIB container's colour reductions
// count their steps). An empty callback means no reports.
#include <cstdint>
#include <functional>

namespace kalvo {

using TProgressCallback = std::function<void(int position)>;

// The percentage of `done` rows out of `rows`, by done * 100 div (rows - 1); 0 for one row.
inline int RowPercent(int done, int rows)
{
    return rows > 1 ? int(std::int64_t(done) * 100 / (rows - 1)) : 0;
}

} // namespace kalvo
