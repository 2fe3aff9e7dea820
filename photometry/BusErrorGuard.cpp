#include "BusErrorGuard.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace busguard {
namespace {

    // A few files are mapped at once at most: a batch converts one file per core.
    constexpr int kSlots = 8;

    struct Range {
        std::atomic<std::uintptr_t> begin { 0 }; // 0: the slot is free
        std::atomic<std::uintptr_t> end { 0 }; // 0 while the slot is being set up or given back
        std::atomic<bool> cut { false };
    };

    Range g_ranges[kSlots];
    std::uintptr_t g_pageSize = 4096;
    struct sigaction g_previous { };

    // Runs in the signal handler: only atomics and system calls that are safe there.
    bool PatchWatchedPage(std::uintptr_t address)
    {
        for (Range& range : g_ranges) {
            if (address < range.begin.load() || address >= range.end.load())
                continue;
            // A page of zeros in place of the page the file no longer has; the faulting read then goes on.
            void* const page = reinterpret_cast<void*>(address & ~(g_pageSize - 1));
            if (::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED)
                return false;
            range.cut.store(true);
            return true;
        }
        return false;
    }

    void OnBusError(int signal, siginfo_t* info, void* context)
    {
        if (info->si_code > 0 && PatchWatchedPage(reinterpret_cast<std::uintptr_t>(info->si_addr)))
            return;
        // Not a watched page: whatever handled SIGBUS before handles it, the default ending the program.
        if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction) {
            g_previous.sa_sigaction(signal, info, context);
            return;
        }
        if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
            g_previous.sa_handler(signal);
            return;
        }
        struct sigaction fallback { };
        fallback.sa_handler = g_previous.sa_handler;
        ::sigaction(SIGBUS, &fallback, nullptr);
        if (info->si_code <= 0)
            ::raise(signal); // sent by a program: delivered again, now to the default
        // A fault: returning repeats the faulting read, which now meets the default.
    }

    bool Install()
    {
        static const bool installed = [] {
            g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
            struct sigaction action { };
            action.sa_sigaction = OnBusError;
            action.sa_flags = SA_SIGINFO | SA_NODEFER;
            sigemptyset(&action.sa_mask);
            return ::sigaction(SIGBUS, &action, &g_previous) == 0;
        }();
        return installed;
    }

} // namespace

int Watch(const void* begin, std::size_t size)
{
    if (size == 0 || !Install())
        return -1;
    const auto from = reinterpret_cast<std::uintptr_t>(begin);
    for (int slot = 0; slot < kSlots; ++slot) {
        std::uintptr_t free = 0;
        if (g_ranges[slot].begin.compare_exchange_strong(free, from)) {
            g_ranges[slot].cut.store(false);
            g_ranges[slot].end.store(from + size);
            return slot;
        }
    }
    return -1;
}

bool WasCut(int slot) { return slot >= 0 && slot < kSlots && g_ranges[slot].cut.load(); }

void Release(int slot)
{
    if (slot < 0 || slot >= kSlots)
        return;
    g_ranges[slot].end.store(0);
    g_ranges[slot].begin.store(0);
}

} // namespace busguard
