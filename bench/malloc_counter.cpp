// The heap counter of heap_counter.h for a program with Qt in it: Qt takes its strings'
// memory from malloc, not from operator new, so this one counts malloc itself (and
// operator new, which the C++ library builds on malloc). A program links this or
// heap_counter.cpp, never both.
#include "bench/heap_counter.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace mireto::bench {

namespace {

std::atomic<std::ptrdiff_t> g_inUse{0};
std::atomic<std::ptrdiff_t> g_peak{0};

void* counted(void* block) {
    if (!block)
        return block;
    const std::ptrdiff_t now = g_inUse += static_cast<std::ptrdiff_t>(malloc_usable_size(block));
    std::ptrdiff_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void uncounted(void* block) {
    if (block)
        g_inUse -= static_cast<std::ptrdiff_t>(malloc_usable_size(block));
}

} // namespace

void resetPeakHeap() {
    g_peak = g_inUse.load();
}
std::size_t peakHeapBytes() {
    return static_cast<std::size_t>(g_peak.load());
}

} // namespace mireto::bench

using mireto::bench::counted;
using mireto::bench::uncounted;

extern "C" {

void* malloc(std::size_t size) noexcept {
    return counted(__libc_malloc(size));
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    return counted(__libc_calloc(count, size));
}
void* realloc(void* block, std::size_t size) noexcept {
    const std::ptrdiff_t before =
        block ? static_cast<std::ptrdiff_t>(malloc_usable_size(block)) : 0;
    void* moved = __libc_realloc(block, size);
    if (moved || size == 0) {
        mireto::bench::g_inUse -= before;
        counted(moved);
    }
    return moved;
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
    return counted(__libc_memalign(alignment, size));
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    return counted(__libc_memalign(alignment, size));
}
int posix_memalign(void** block, std::size_t alignment, std::size_t size) noexcept {
    *block = counted(__libc_memalign(alignment, size));
    return *block || size == 0 ? 0 : ENOMEM;
}
void* valloc(std::size_t size) noexcept {
    return counted(__libc_memalign(static_cast<std::size_t>(sysconf(_SC_PAGESIZE)), size));
}
void* pvalloc(std::size_t size) noexcept {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return counted(__libc_memalign(page, (size + page - 1) / page * page));
}
void free(void* block) noexcept {
    uncounted(block);
    __libc_free(block);
}

} // extern "C"
