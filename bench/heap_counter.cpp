#include "bench/heap_counter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace mireto::bench {

namespace {

std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

void* allocate(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    const std::size_t now = g_inUse += malloc_usable_size(p);
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void release(void* p) {
    if (!p)
        return;
    g_inUse -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

void resetPeakHeap() {
    g_peak = g_inUse.load();
}
std::size_t peakHeapBytes() {
    return g_peak.load();
}

} // namespace mireto::bench

void* operator new(std::size_t size) {
    return mireto::bench::allocate(size);
}
void* operator new[](std::size_t size) {
    return mireto::bench::allocate(size);
}
void operator delete(void* p) noexcept {
    mireto::bench::release(p);
}
void operator delete[](void* p) noexcept {
    mireto::bench::release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    mireto::bench::release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    mireto::bench::release(p);
}
