#include "image/PixelBuffer.h"

#include "image/BlockMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace kalvo {

TPixelBuffer::TPixelBuffer(std::size_t n)
{
    if (n == 0)
        return;
    data_ = AllocateBlock(n);
    size_ = n;
}

TPixelBuffer TPixelBuffer::ForOverwrite(std::size_t n)
{
    TPixelBuffer buffer;
    if (n == 0)
        return buffer;
    buffer.data_ = AllocateBlockForOverwrite(n);
    buffer.size_ = n;
    return buffer;
}

TPixelBuffer TPixelBuffer::View(const std::uint8_t* data, std::size_t n)
{
    TPixelBuffer buffer;
    buffer.data_ = const_cast<std::uint8_t*>(data);
    buffer.size_ = n;
    buffer.borrowed_ = true;
    return buffer;
}

TPixelBuffer::TPixelBuffer(const TPixelBuffer& other)
{
    if (other.size_ == 0)
        return;
    data_ = AllocateBlockForOverwrite(other.size_);
    std::memcpy(data_, other.data_, other.size_);
    size_ = other.size_;
}

TPixelBuffer::TPixelBuffer(TPixelBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      borrowed_(std::exchange(other.borrowed_, false))
{
}

TPixelBuffer& TPixelBuffer::operator=(const TPixelBuffer& other)
{
    if (this == &other)
        return *this;
    // A block of the same size is reused: no new memory to fault in (a snapshot taken again).
    if (size_ == other.size_ && !borrowed_) {
        if (size_ != 0)
            std::memcpy(data_, other.data_, size_);
        return *this;
    }
    TPixelBuffer copy(other);
    std::swap(data_, copy.data_);
    std::swap(size_, copy.size_);
    std::swap(borrowed_, copy.borrowed_);
    return *this;
}

TPixelBuffer& TPixelBuffer::operator=(TPixelBuffer&& other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(borrowed_, other.borrowed_);
    return *this;
}

TPixelBuffer::~TPixelBuffer()
{
    if (!borrowed_)
        ReleaseBlock(data_, size_);
}

bool TPixelBuffer::operator==(const TPixelBuffer& other) const
{
    return size_ == other.size_ && (size_ == 0 || std::memcmp(data_, other.data_, size_) == 0);
}

} // namespace kalvo
