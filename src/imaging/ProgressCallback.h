#pragma once
// The progress callback that long image operations report through: it receives a position,
// a percentage 0..100 unless the operation says otherwise. An empty callback means no reports.
#include <functional>

namespace kalvo {

using TProgressCallback = std::function<void(int position)>;

} // namespace kalvo
