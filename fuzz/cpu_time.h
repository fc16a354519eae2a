// The time a fuzz target spends on one input, on this thread's own clock so that a busy
// machine does not count, and the bound it must stay within: a constant and a share per
// byte, far above what a linear pass takes under the sanitizers, far below what a
// quadratic one takes on a large input.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <ctime>

namespace mireto::fuzz {

inline double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs `work` and aborts when it takes longer than the bound for `bytes` of input twice
// in a row. An input the code is slow on is slow every time; a run the machine held up
// (a busy neighbour, time a virtual machine's host took, a storm of page faults) is not,
// so a run over the bound is timed once more before it counts.
template <typename Work> void checkTimePerByte(std::size_t bytes, Work&& work) {
    constexpr double kFixed = 0.05;    // 50 ms
    constexpr double kPerByte = 20e-6; // 20 µs a byte: 1.3 s for 64 KiB
    for (int run = 0; run < 2; ++run) {
        const double start = threadSeconds();
        work();
        if (threadSeconds() - start <= kFixed + kPerByte * static_cast<double>(bytes))
            return;
    }
    std::abort();
}

} // namespace mireto::fuzz
