#pragma once
// The pixel memory of an image bitmap: a zero-filled block. Fresh large blocks come zeroed from
// the system, so creating a bitmap that is filled right afterwards (by a decoder) does not pay
// for clearing it first. Copies are deep. A view shows a block owned elsewhere without copying it.
#include <cstddef>
#include <cstdint>

namespace kalvo {

class TPixelBuffer {
public:
    TPixelBuffer() = default;
    // n zero bytes; throws std::bad_alloc when the memory cannot be had.
    explicit TPixelBuffer(std::size_t n);
    // n bytes of undefined content, for a caller that writes all of them.
    static TPixelBuffer ForOverwrite(std::size_t n);
    // The n bytes at data, owned elsewhere, for reading only: the owner keeps them alive and
    // unchanged while the view exists. A copy of a view owns its bytes.
    static TPixelBuffer View(const std::uint8_t* data, std::size_t n);
    TPixelBuffer(const TPixelBuffer& other);
    TPixelBuffer(TPixelBuffer&& other) noexcept;
    // Copying into a buffer of the same size reuses its memory.
    TPixelBuffer& operator=(const TPixelBuffer& other);
    TPixelBuffer& operator=(TPixelBuffer&& other) noexcept;
    ~TPixelBuffer();

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool operator==(const TPixelBuffer& other) const;

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool borrowed_ = false;
};

} // namespace kalvo
