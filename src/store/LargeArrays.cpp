#include "store/LargeArrays.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tiravo {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
// Below this an array would waste much of a large page.
constexpr std::size_t kLargeArray = 2 * kLargePage;

std::size_t MappedBytes(std::size_t bytes) {
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

} // namespace

void* AllocateLargeArray(std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kLargeArray) {
        const std::size_t mapped = MappedBytes(bytes);
        // Mapped a large page too long, so that an aligned start can be cut out.
        void* area = mmap(nullptr, mapped + kLargePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (area == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(area);
        const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
        if (aligned > start)
            munmap(area, aligned - start);
        const std::uintptr_t end = start + mapped + kLargePage;
        if (end > aligned + mapped)
            munmap(reinterpret_cast<void*>(aligned + mapped), end - (aligned + mapped));
        // Only advice: without large pages the array works the same.
        madvise(reinterpret_cast<void*>(aligned), mapped, MADV_HUGEPAGE);
        return reinterpret_cast<void*>(aligned);
    }
#endif
    return ::operator new(bytes);
}

void FreeLargeArray(void* memory, std::size_t bytes) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kLargeArray) {
        munmap(memory, MappedBytes(bytes));
        return;
    }
#endif
    ::operator delete(memory);
}

} // namespace tiravo
