#pragma once
// Sixteen values as one: the compiler turns arithmetic on these into SSE, AVX2 or AVX-512
// instructions (the latter two in functions compiled for them with target_clones).
#include <cstdint>

namespace kalvo {

using TFloats16 = float __attribute__((vector_size(64)));
using TInts16 = std::int32_t __attribute__((vector_size(64)));
using TBytes16 = std::uint8_t __attribute__((vector_size(16)));

} // namespace kalvo
