// The classic C run-time library's rand(): a 32-bit linear congruential generator
// giving values 0 to 32767. Pages depend on its exact sequence, so that the same
// input converted in the same second gives the same page.
#pragma once

#include <cstdint>

namespace mireto {

class CrtRandom {
public:
    static constexpr int kMax = 0x7FFF;

    explicit CrtRandom(std::uint32_t seed = 1) : m_state(seed) {}

    void seed(std::uint32_t seed) { m_state = seed; }

    int next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

    // The next value when `advance`, else the state stays and the value means nothing:
    // a draw made or not by a condition, without a branch on it.
    int nextIf(bool advance) {
        const std::uint32_t state = m_state * 214013u + 2531011u;
        m_state = advance ? state : m_state;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t m_state;
};

} // namespace mireto
