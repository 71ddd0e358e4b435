#include "image/PixelBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace kalvo {

namespace {

// Large pictures get their own mapping backed by huge pages where the system offers them: a
// 24-megapixel image then costs a few dozen page faults instead of tens of thousands.
constexpr std::size_t kMappedFrom = std::size_t(4) << 20;

std::uint8_t* allocate(std::size_t n)
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

void release(std::uint8_t* p, std::size_t n)
{
    if (!p)
        return;
    if (n >= kMappedFrom)
        ::munmap(p, n);
    else
        std::free(p);
}

} // namespace

TPixelBuffer::TPixelBuffer(std::size_t n)
{
    if (n == 0)
        return;
    data_ = allocate(n);
    size_ = n;
}

TPixelBuffer::TPixelBuffer(const TPixelBuffer& other)
{
    if (other.size_ == 0)
        return;
    data_ = allocate(other.size_);
    std::memcpy(data_, other.data_, other.size_);
    size_ = other.size_;
}

TPixelBuffer::TPixelBuffer(TPixelBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

TPixelBuffer& TPixelBuffer::operator=(TPixelBuffer other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
}

TPixelBuffer::~TPixelBuffer()
{
    release(data_, size_);
}

bool TPixelBuffer::operator==(const TPixelBuffer& other) const
{
    return size_ == other.size_ && (size_ == 0 || std::memcmp(data_, other.data_, size_) == 0);
}

} // namespace kalvo
