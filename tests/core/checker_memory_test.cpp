// What checking a file costs in memory: an EULUMDAT file of millions of short lines, or one very long line, is
// checked within three times its size (the checker keeps no string per line).
#include "Checker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

// GCC sees the counting operator delete below free what it takes for operator new's own block, and warns.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#pragma GCC diagnostic ignored "-Warray-bounds"

// Every allocation of the test program is counted, so that a test can measure the peak of live bytes.
namespace {
std::atomic<std::size_t> g_live { 0 }, g_peak { 0 };
constexpr std::size_t kHeader = 16; // keeps the allocation aligned as operator new must
} // namespace

void* operator new(std::size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t live = g_live += size;
    std::size_t peak = g_peak;
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) { }
    return block + kHeader;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* pointer) noexcept
{
    if (!pointer)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    g_live -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}
void operator delete[](void* pointer) noexcept { operator delete(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { operator delete(pointer); }

TEST(CheckerMemory, EulumdatFilesAreCheckedWithinThreeTimesTheirSize)
{
    constexpr std::size_t kSize = 8 << 20;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "line feeds only", std::string(kSize, '\n') },
        { "CR LF only",
            [] {
                std::string text;
                for (std::size_t i = 0; i < kSize / 2; ++i)
                    text += "\r\n";
                return text;
            }() },
        { "one long first line", std::string(kSize, 'x') + "\r\n1\r\n1\r\n1\r\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = g_live;
        g_peak = before;
        const Diagnostics found = CheckText("file.ldt", c.bytes);
        EXPECT_FALSE(found.empty()); // each is refused, with a reason
        EXPECT_LE(g_peak - before, 3 * c.bytes.size()) << "peak bytes above the text";
    }
}
