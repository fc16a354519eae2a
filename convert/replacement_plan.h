// A replacement set prepared for many segments: the same result as visiting every
// rule's four sources in order, but a segment in which a source cannot occur skips it
// without a search. A table of the sources' first two bytes, folded into a small
// hash, tells which sources may start somewhere in the segment.
//
// A long segment is not passed over once per source: it is fed through all the
// sources one block at a time, so that the work stays in the cache however long the
// segment grows.
#pragma once

#include "settings/records.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

class ReplacementPlan {
public:
    ReplacementPlan() = default;
    // Borrows the set's strings: the set must outlive the plan.
    explicit ReplacementPlan(const ReplacementSet& set);
    // The same, feeding segments longer than `blockBytes` through in blocks of that size.
    ReplacementPlan(const ReplacementSet& set, std::size_t blockBytes);

    struct Replacement {
        std::string_view source;
        std::string_view target;
    };

    // `buffer` is scratch space the caller keeps between calls.
    void apply(std::string& segment, std::string& buffer) const;

    // Whether a segment of this size is worth feeding through in blocks.
    bool feedsInBlocks(std::size_t bytes) const { return bytes > m_blockBytes; }
    // Appends `segment` to `out` with the replacements `first` made in order before the
    // set's own, feeding the text through all of them in blocks: the result of applying
    // each in turn to the whole segment, without a pass over it per replacement.
    void appendInBlocks(std::string_view segment, std::span<const Replacement> first,
                        std::string& out) const;

private:
    struct Step : Replacement {
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
    // Steps a replacement by `target` may bring into play.
    std::uint64_t enabledBy(std::string_view target) const;

    static constexpr std::size_t kDefaultBlockBytes = 32 * 1024;
    std::size_t m_blockBytes = kDefaultBlockBytes;

    std::vector<Step> m_steps;
    std::vector<std::uint64_t> m_byPair;          // by hash of a source's first two bytes
    std::array<std::uint64_t, 256> m_byByte = {}; // one-byte sources, by that byte
};

} // namespace mireto
