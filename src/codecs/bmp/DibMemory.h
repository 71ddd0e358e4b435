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
    // Takes over a whole private file mapping (base, length) whose bytes at offset are the pixels:
    // a file's pixels become the store without being copied.
    static TDibMemory AdoptMapping(void* base, std::size_t length, std::size_t offset, std::size_t size);
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
    void* mapBase_ = nullptr; // a whole adopted mapping, released as one
    std::size_t mapLength_ = 0;
};

} // namespace kalvo
