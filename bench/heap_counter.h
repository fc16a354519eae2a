// Counts the benchmark process's heap: bytes in use now and the peak since a reset,
// so each benchmark can report the memory one conversion needs.
#pragma once

#include <cstddef>

namespace mireto::bench {

void resetPeakHeap();
std::size_t peakHeapBytes();

} // namespace mireto::bench
