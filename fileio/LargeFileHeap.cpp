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
        // One allocation makes the heap grow now by the whole step; the advice then covers all of it.
        void* const first = std::malloc(1 << 20);
        if (!first)
            return false;
        const auto top = reinterpret_cast<std::uintptr_t>(sbrk(0));
        const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        const std::uintptr_t from = reinterpret_cast<std::uintptr_t>(first) & ~(page - 1);
        std::free(first);
        return top > from && madvise(reinterpret_cast<void*>(from), top - from, MADV_HUGEPAGE) == 0;
    }();
    return prepared;
#else
    return false;
#endif
}

} // namespace fileio
