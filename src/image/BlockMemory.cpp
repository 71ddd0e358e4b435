#include "image/BlockMemory.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace kalvo {

namespace {

constexpr std::size_t kMappedFrom = std::size_t(4) << 20;

} // namespace

std::uint8_t* AllocateBlock(std::size_t n)
{
    if (n >= kMappedFrom) {
        void* p = ::mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        ::madvise(p, n, MADV_HUGEPAGE);
        return static_cast<std::uint8_t*>(p);
    }
    auto* p = static_cast<std::uint8_t*>(std::calloc(n, 1));
    if (!p)
        throw std::bad_alloc();
    return p;
}

void ReleaseBlock(std::uint8_t* p, std::size_t n)
{
    if (!p)
        return;
    if (n >= kMappedFrom)
        ::munmap(p, n);
    else
        std::free(p);
}

} // namespace kalvo
