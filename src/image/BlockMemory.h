#pragma once
// Zero-filled memory blocks for pixels and image snapshots. Large blocks get their own mapping,
// returned to the system as soon as it is freed. They are not asked for huge pages: fresh huge
// pages cost fewer page faults when the kernel has them at hand, but on virtual machines that hand
// free memory back to the host they often have to be faulted in by the host too: reading a
// 24-megapixel BMP into huge pages took 0.02-0.05 s or, every second time, 0.3-0.9 s; into 4 KiB
// pages a steady 0.07-0.1 s (same load).
//
// One large block that was given back is kept as a spare and handed out again for the next
// request of the same size, so that a picture-sized buffer taken for every whole-picture command
// (and given back when an undo step holding one is dropped or moved into a file) is not faulted in
// afresh each time. The spare costs up to one picture's memory (72 MB for a 24-megapixel photo at
// 24 bits) while nothing uses it. It is released when a block of another size is given back (that
// one is kept instead), when an allocation fails for want of memory (before retrying it), and by
// ReleaseSpareBlock (a new document: its pictures have other sizes).
#include <cstddef>
#include <cstdint>

namespace kalvo {

// n zero bytes (n > 0); throws std::bad_alloc when the memory cannot be had.
std::uint8_t* AllocateBlock(std::size_t n);
// n bytes of undefined content, for a caller that writes every one of them (a copy): the spare
// block is reused without clearing it.
std::uint8_t* AllocateBlockForOverwrite(std::size_t n);
// Frees a block of n bytes from AllocateBlock (nullptr is allowed); a large one may become the
// spare.
void ReleaseBlock(std::uint8_t* p, std::size_t n);
// Returns the spare block, if one is kept, to the system.
void ReleaseSpareBlock();
// The size of the spare block (0 when none is kept).
std::size_t SpareBlockSize();

} // namespace kalvo
