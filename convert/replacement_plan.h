// A replacement set prepared for many segments: the same result as visiting every
// rule's four sources in order, but a segment in which a source cannot occur skips it
// without a search. A table of the sources' first two bytes, folded into a small
// hash, tells which sources may start somewhere in the segment.
#pragma once

#include "settings/records.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

class ReplacementPlan {
public:
    ReplacementPlan() = default;
    // Borrows the set's strings: the set must outlive the plan.
    explicit ReplacementPlan(const ReplacementSet& set);

    // `buffer` is scratch space the caller keeps between calls.
    void apply(std::string& segment, std::string& buffer) const;

private:
    struct Step {
        std::string_view source;
        std::string_view target;
        // Steps a replacement by this one may bring into play: sources starting inside
        // its target or across its edges (every step when the target is empty).
        std::uint64_t enables = 0;
    };

    static constexpr std::size_t kHashBits = 12;
    static std::size_t pairHash(unsigned char first, unsigned char second) {
        return ((first * 31u) ^ (second * 131u)) & ((1u << kHashBits) - 1);
    }
    // Steps (the first 64) that may occur in `segment`; later steps are always tried.
    std::uint64_t candidates(std::string_view segment) const;

    std::vector<Step> m_steps;
    std::vector<std::uint64_t> m_byPair;          // by hash of a source's first two bytes
    std::array<std::uint64_t, 256> m_byByte = {}; // one-byte sources, by that byte
};

} // namespace mireto
