#pragma once
// A byte vector whose growth does not clear the new bytes first: for buffers that are filled
// right after they are sized (a snapshot of a large image is then written with one copy).
#include "image/BlockMemory.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kalvo {

template <class T>
struct TDefaultInitAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    // Large buffers come from AllocateBlock, so that a snapshot of a big image is written into
    // huge pages rather than faulted in page by page.
    T* allocate(std::size_t n) { return reinterpret_cast<T*>(AllocateBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { ReleaseBlock(reinterpret_cast<std::uint8_t*>(p), n * sizeof(T)); }
    template <class U>
    struct rebind {
        using other = TDefaultInitAllocator<U>;
    };
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using TByteBuffer = std::vector<std::uint8_t, TDefaultInitAllocator<std::uint8_t>>;

} // namespace kalvo
