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

// Aborts when `seconds` is beyond the bound for `bytes` of input.
inline void checkTimePerByte(double seconds, std::size_t bytes) {
    constexpr double kFixed = 0.05;    // 50 ms
    constexpr double kPerByte = 20e-6; // 20 µs a byte: 1.3 s for 64 KiB
    if (seconds > kFixed + kPerByte * static_cast<double>(bytes))
        std::abort();
}

} // namespace mireto::fuzz
