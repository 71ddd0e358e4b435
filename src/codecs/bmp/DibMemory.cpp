#include "codecs/bmp/DibMemory.h"

#include "codecs/bmp/LvDIBErrors.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace kalvo {

TDibMemory::TDibMemory(std::size_t size, bool useFMO) : size_(size), mapped_(useFMO)
{
    if (useFMO) {
        // A mapping cannot be empty; a zero-size store still gets one page.
        void* p = ::mmap(nullptr, size ? size : 1, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw EOutOfResources("GetMemory: Cannot Make File Mapping Object");
        bits_ = static_cast<std::uint8_t*>(p);
    } else {
        bits_ = static_cast<std::uint8_t*>(std::calloc(size ? size : 1, 1));
        if (!bits_)
            throw std::bad_alloc();
    }
}

TDibMemory TDibMemory::AdoptMapping(void* base, std::size_t length, std::size_t offset, std::size_t size)
{
    TDibMemory m;
    m.mapBase_ = base;
    m.mapLength_ = length;
    m.bits_ = static_cast<std::uint8_t*>(base) + offset;
    m.size_ = size;
    m.mapped_ = true;
    return m;
}

TDibMemory::TDibMemory(TDibMemory&& other) noexcept
    : bits_(std::exchange(other.bits_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(other.mapped_),
      mapBase_(std::exchange(other.mapBase_, nullptr)),
      mapLength_(std::exchange(other.mapLength_, 0))
{
}

TDibMemory& TDibMemory::operator=(TDibMemory&& other) noexcept
{
    if (this != &other) {
        release();
        bits_ = std::exchange(other.bits_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = other.mapped_;
        mapBase_ = std::exchange(other.mapBase_, nullptr);
        mapLength_ = std::exchange(other.mapLength_, 0);
    }
    return *this;
}

TDibMemory::~TDibMemory()
{
    release();
}

void TDibMemory::release()
{
    if (mapBase_) {
        ::munmap(mapBase_, mapLength_);
        mapBase_ = nullptr;
        bits_ = nullptr;
        size_ = 0;
        return;
    }
    if (!bits_)
        return;
    if (mapped_)
        ::munmap(bits_, size_ ? size_ : 1);
    else
        std::free(bits_);
    bits_ = nullptr;
    size_ = 0;
}

} // namespace kalvo
