#pragma once
// Pixel memory of the DIB container: zero-filled, either an anonymous shared mapping (UseFMO) or
// heap memory. Released the matching way when the object ends.
#include <cstddef>
#include <cstdint>

namespace kalvo {

class TDibMemory {
public:
    TDibMemory() = default;
    // GetMemory: Size bytes, zero-filled. Throws EOutOfResources when a mapping cannot be made,
    // std::bad_alloc when heap memory cannot be had.
    TDibMemory(std::size_t size, bool useFMO);
    TDibMemory(TDibMemory&& other) noexcept;
    TDibMemory& operator=(TDibMemory&& other) noexcept;
    TDibMemory(const TDibMemory&) = delete;
    TDibMemory& operator=(const TDibMemory&) = delete;
    ~TDibMemory();

    std::uint8_t* Bits() { return bits_; }
    const std::uint8_t* Bits() const { return bits_; }
    std::size_t Size() const { return size_; }
    bool Mapped() const { return mapped_; }

private:
    void release();
    std::uint8_t* bits_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
};

} // namespace kalvo
