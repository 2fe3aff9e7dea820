#include "LargeFileHeap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace fileio {

#if defined(__linux__) && defined(__GLIBC__)
namespace {
    constexpr std::uintptr_t kLargePage = std::uintptr_t { 2 } << 20;
    // Below the library's bound for blocks kept on the heap (32 MB), far above what a large table takes at first.
    constexpr std::size_t kGrowth = std::size_t { 30 } << 20;
    // The block that fills the heap up to its first large-page boundary, kept for the life of the program
    // (volatile: a block that is never read would otherwise not be allocated at all).
    void* volatile g_filler = nullptr;
} // namespace
#endif

bool PrepareHeapForLargeFiles()
{
#if defined(__linux__) && defined(__GLIBC__)
    static const bool prepared = [] {
        // The heap grows by what a large table needs at once, and keeps what is freed for the next block.
        constexpr std::size_t ahead = std::size_t { 96 } << 20;
        constexpr int largestOnHeap = 32 << 20; // the library's upper bound for this setting
        if (mallopt(M_MMAP_THRESHOLD, largestOnHeap) == 0 || mallopt(M_TRIM_THRESHOLD, 2 * ahead) == 0
            || mallopt(M_TOP_PAD, ahead) == 0)
            return false;
        // Threads allocate from the same heap rather than from arenas of their own, which would fault page by page.
        mallopt(M_ARENA_MAX, 1);
        // One allocation makes the heap grow now by its size and the whole step; the advice then covers all of it.
        // Its end is written before the advice is given, so it reaches far past what a large table uses: the
        // 2 MB block it touches there is the one block left to small pages.
        void* const first = std::malloc(kGrowth);
        if (!first)
            return false;
        const auto top = reinterpret_cast<std::uintptr_t>(sbrk(0));
        const auto at = reinterpret_cast<std::uintptr_t>(first);
        std::free(first);
        // Large pages cover only whole 2 MB blocks: below the first boundary the heap would fault 4 kB at a time,
        // up to 512 faults for the first blocks allocated. A block that is never used nor freed fills the space
        // up to the boundary (its end lies just below it), so that what follows starts on it.
        const std::uintptr_t boundary = (at + kLargePage - 1) & ~(kLargePage - 1);
        if (top <= boundary || madvise(reinterpret_cast<void*>(boundary), top - boundary, MADV_HUGEPAGE) != 0)
            return false;
        constexpr std::uintptr_t header = 2 * sizeof(std::size_t); // the library's bookkeeping before a block
        if (boundary - at > 2 * header)
            g_filler = std::malloc(boundary - at - header);
        return true;
    }();
    return prepared;
#else
    return false;
#endif
}

} // namespace fileio
