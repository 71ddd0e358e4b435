#pragma once
// The progress callback of the long operations: receives a percentage 0..100.
#include <cstdint>
#include <functional>

namespace kalvo {

using TProgressCallback = std::function<void(int percent)>;

// The percentage of `done` rows out of `rows`, by done * 100 div (rows - 1); 0 for one row.
inline int RowPercent(int done, int rows)
{
    return rows > 1 ? int(std::int64_t(done) * 100 / (rows - 1)) : 0;
}

} // namespace kalvo
