#pragma once
// Zero-filled memory blocks for pixels and image snapshots. Large blocks get their own mapping
// backed by huge pages where the system offers them: a 24-megapixel image then costs a few dozen
// page faults instead of tens of thousands. Not on a virtual machine whose balloon device reports
// free memory to the host: that hands free 2 MB blocks back, so a fresh huge page is mostly one
// the host faults in again 4 KB at a time inside the kernel's clearing of it (measured for 72 MB:
// 0.01 to 0.19 s at random, against a steady 0.02 s with small pages). A block that will be
// overwritten whole is populated in one call rather than page by page (a fifth less).
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
#include <string>

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
// True when a virtio balloon device under driverDirectory (its devices virtio*, each with a
// features file of '0'/'1' characters from bit 0) reports free pages to the host.
bool BalloonReportsFreePages(const std::string& driverDirectory);

} // namespace kalvo
