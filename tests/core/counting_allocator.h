#pragma once
// Every allocation of a test program that includes this (once: it replaces the global operator new and delete) is
// counted, so that a test can measure the peak of live bytes: set g_peak to g_live before the work, read it after.

#include <atomic>
#include <cstdlib>
#include <new>

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
// The nothrow forms too (std::stable_sort's buffer uses them): a sanitizer's own would hand back blocks without the
// header the counting delete reads.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { operator delete(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { operator delete(pointer); }
