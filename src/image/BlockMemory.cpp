#include "image/BlockMemory.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace kalvo {

namespace {

constexpr std::size_t kMappedFrom = std::size_t(4) << 20;

// The spare large block (see the header); decoders may run on several threads.
struct TSpare {
    std::mutex lock;
    std::uint8_t* block = nullptr;
    std::size_t size = 0;
};

TSpare& Spare()
{
    // Never destroyed: pixel buffers of static objects may be freed after it at exit.
    static TSpare* spare = new TSpare;
    return *spare;
}

// The spare when it has n bytes, taken out of the cache.
std::uint8_t* TakeSpare(std::size_t n)
{
    TSpare& spare = Spare();
    const std::lock_guard guard(spare.lock);
    if (!spare.block || spare.size != n)
        return nullptr;
    spare.size = 0;
    return std::exchange(spare.block, nullptr);
}

bool HugePagesPay()
{
    static const bool pay = !BalloonReportsFreePages("/sys/bus/virtio/drivers/virtio_balloon");
    return pay;
}

// A fresh mapping of n bytes; populated at once (one system call instead of a fault per page)
// when the caller is about to write all of it.
std::uint8_t* MapBlock(std::size_t n, bool populate)
{
    void* p = ::mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        // The spare's memory may be what is missing.
        if (SpareBlockSize() == 0)
            throw std::bad_alloc();
        ReleaseSpareBlock();
        p = ::mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
    }
    if (HugePagesPay())
        ::madvise(p, n, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    if (populate)
        ::madvise(p, n, MADV_POPULATE_WRITE); // older kernels refuse it: the pages fault in as used
#endif
    return static_cast<std::uint8_t*>(p);
}

} // namespace

bool BalloonReportsFreePages(const std::string& driverDirectory)
{
    // The feature bits of a virtio device, one character '0' or '1' each from bit 0; bit 5 is
    // free page reporting.
    constexpr std::size_t kReportingBit = 5;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(driverDirectory, error)) {
        if (entry.path().filename().string().rfind("virtio", 0) != 0)
            continue;
        std::ifstream features(entry.path() / "features");
        std::string bits;
        if (features >> bits && bits.size() > kReportingBit && bits[kReportingBit] == '1')
            return true;
    }
    return false;
}

std::uint8_t* AllocateBlock(std::size_t n)
{
    if (n >= kMappedFrom) {
        if (std::uint8_t* reused = TakeSpare(n)) {
            std::memset(reused, 0, n);
            return reused;
        }
        return MapBlock(n, false); // fresh mappings are zero
    }
    auto* p = static_cast<std::uint8_t*>(std::calloc(n, 1));
    if (!p)
        throw std::bad_alloc();
    return p;
}

std::uint8_t* AllocateBlockForOverwrite(std::size_t n)
{
    if (n >= kMappedFrom) {
        if (std::uint8_t* reused = TakeSpare(n))
            return reused;
        return MapBlock(n, true);
    }
    auto* p = static_cast<std::uint8_t*>(std::malloc(n));
    if (!p)
        throw std::bad_alloc();
    return p;
}

void ReleaseBlock(std::uint8_t* p, std::size_t n)
{
    if (!p)
        return;
    if (n < kMappedFrom) {
        std::free(p);
        return;
    }
    TSpare& spare = Spare();
    std::uint8_t* previous = nullptr;
    std::size_t previousSize = 0;
    {
        const std::lock_guard guard(spare.lock);
        previous = std::exchange(spare.block, p);
        previousSize = std::exchange(spare.size, n);
    }
    if (previous)
        ::munmap(previous, previousSize);
}

void ReleaseSpareBlock()
{
    TSpare& spare = Spare();
    std::uint8_t* block = nullptr;
    std::size_t size = 0;
    {
        const std::lock_guard guard(spare.lock);
        block = std::exchange(spare.block, nullptr);
        size = std::exchange(spare.size, 0);
    }
    if (block)
        ::munmap(block, size);
}

std::size_t SpareBlockSize()
{
    TSpare& spare = Spare();
    const std::lock_guard guard(spare.lock);
    return spare.size;
}

} // namespace kalvo
