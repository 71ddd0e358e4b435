#pragma once
// Zero-filled memory blocks for pixels and image snapshots. Large blocks get their own mapping
// backed by huge pages where the system offers them: a 24-megapixel image then costs a few dozen
// page faults instead of tens of thousands.
#include <cstddef>
#include <cstdint>

namespace kalvo {

// n zero bytes (n > 0); throws std::bad_alloc when the memory cannot be had.
std::uint8_t* AllocateBlock(std::size_t n);
// Frees a block of n bytes from AllocateBlock (nullptr is allowed).
void ReleaseBlock(std::uint8_t* p, std::size_t n);

} // namespace kalvo
