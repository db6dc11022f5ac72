#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace tiravo {

// Memory for the arrays of a snapshot of millions of rows. Every fresh page
// costs the process a fault when first written, and a pool of a million
// names fills tens of megabytes each time a view is read: an array of
// several megabytes is therefore mapped in pages of two megabytes where the
// system offers them, which takes its faults from thousands to dozens.
// Smaller arrays come from the ordinary heap.
void* AllocateLargeArray(std::size_t bytes);
void FreeLargeArray(void* memory, std::size_t bytes) noexcept;

template <class T> struct LargeArrayAllocator {
    using value_type = T;

    LargeArrayAllocator() = default;
    template <class U> LargeArrayAllocator(const LargeArrayAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLargeArray(n * sizeof(T))); }
    void deallocate(T* memory, std::size_t n) noexcept { FreeLargeArray(memory, n * sizeof(T)); }

    template <class U> bool operator==(const LargeArrayAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T> using LargeArray = std::vector<T, LargeArrayAllocator<T>>;

} // namespace tiravo
