// A replacement set prepared for many segments: the same result as visiting every
// rule's four sources in order, but a segment in which a source cannot occur skips it
// without a search. A table of the sources' first two bytes, folded into a small
// hash, tells which sources may start somewhere in the segment.
//
// Most segments need no pass per source at all: where no replacement can bring another
// into play and no two meet on the same text, making them all in one pass from left to
// right gives the same result, and appendInOnePass does that, checking as it goes.
//
// A long segment is not passed over once per source: it is fed through all the
// sources one block at a time, so that the work stays in the cache however long the
// segment grows.
#pragma once

#include "convert/byte_writer.h"
#include "convert/sjis_blocks.h"
#include "settings/records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
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

    // Replacements made before the set's own on the segments that get them (a sentence
    // ending), checked once against the set for appendInOnePass; it serves only the
    // plan that prepared it.
    class Prelude;
    // Their sources join the plan's table, which is why preparing changes the plan.
    Prelude prepare(std::span<const Replacement> first);

    // Appends `segment` with `first`'s replacements and then the set's own made as
    // applying each in turn would, in one pass over the segment. Where one pass cannot
    // be sure of that result (two replacements meet on the same text, or one may bring
    // another into play), it appends nothing and returns false: apply each in turn then.
    bool appendInOnePass(std::string_view segment, const Prelude& first, ByteWriter& out) const;

    // Where the plan's sources may start in a text, a block of the text at a time: the
    // segments of one text, taken in order, share the work of finding them.
    class TextScan;
    class MayStart;
    // The same, for a piece of `scan`'s text that starts on a character boundary.
    bool appendInOnePass(std::string_view segment, const Prelude& first, ByteWriter& out,
                         TextScan& scan) const;

    // Whether a segment of this size is worth feeding through in blocks.
    bool feedsInBlocks(std::size_t bytes) const { return bytes > m_blockBytes; }
    // Appends `segment` to `out` with the replacements `first` made in order before the
    // set's own, feeding the text through all of them in blocks: the result of applying
    // each in turn to the whole segment, without a pass over it per replacement.
    // `afterBlock`, when given, sees `out` after every block; what `out` holds then is
    // final, and it may take it away (a page written out piece by piece). When it
    // answers false, the rest of the segment is left out.
    using BlockSink = std::function<bool(std::string& out)>;
    void appendInBlocks(std::string_view segment, std::span<const Replacement> first,
                        std::string& out, const BlockSink& afterBlock = {}) const;

private:
    class OnePass;

    // A source's first eight bytes, to compare with the text in one go.
    class WordHead {
    public:
        WordHead() = default;
        explicit WordHead(std::string_view word);
        // Whether `word` (the one this was made from) starts at `at`, with `available`
        // bytes from there, of `readable` that can be read.
        bool startsAt(const unsigned char* at, std::size_t available, std::size_t readable,
                      std::string_view word) const;

    private:
        std::uint64_t m_bytes = 0;
        std::uint64_t m_mask = 0;
    };

    // A replacement as the one pass makes it.
    struct Entry : Replacement {
        // A replacement by it keeps the character boundaries of the text around it and
        // holds no later source: its source and target end on a whole character, and
        // its target is not empty and holds none.
        bool independent = false;
        // Its target starts with a byte that could be a second byte and its source with
        // one that could not: after a lone lead byte the target would join that byte
        // into one character where the source stood apart.
        bool trailFirst = false;
        // Text that, found just before or just after a replacement by it, would let a
        // later source start across its edge.
        std::vector<std::string_view> before;
        std::vector<std::string_view> after;
        bool nextToLater = false; // either is not empty
        WordHead head;
        // Where a copy of its target starts in its owner's padded targets.
        std::size_t paddedTarget = 0;
    };

    struct Step : Entry {
        // Steps a replacement by this one may bring into play: sources starting inside
        // its target or across its edges (every step when the target is empty).
        std::uint64_t enables = 0;
        // An earlier step has the same source and leaves nothing for this one.
        bool repeated = false;
    };

    // The table: by a pair of bytes (a lone last byte pairs with 0), which sources may
    // start with it, one bit each. The low bits stand for the sources of the replacements
    // prepared to go first, the others for the first steps.
    static constexpr std::size_t kLeadBits = 8;
    static constexpr std::size_t kTableSteps = 64 - kLeadBits;
    static std::size_t pairHash(unsigned char first, unsigned char second) {
        return static_cast<std::size_t>(first) << 4 ^ second;
    }
    static constexpr std::size_t kTableSize = 4096;
    void mark(std::string_view source, std::uint64_t bit);
    std::uint64_t startingWith(unsigned char first, unsigned char second) const {
        return m_table[pairHash(first, second)];
    }

    // Steps (the first kTableSteps) that may occur in `segment`; later steps are always
    // tried.
    std::uint64_t candidates(std::string_view segment) const;
    // Steps a replacement by `target` may bring into play.
    std::uint64_t enabledBy(std::string_view target) const;

    // `entry`'s reach over the replacements `later` that follow it.
    static void reach(Entry& entry, std::span<const Replacement> later);
    static constexpr std::size_t kDefaultBlockBytes = 32 * 1024;
    std::size_t m_blockBytes = kDefaultBlockBytes;

    std::vector<Step> m_steps;
    std::vector<std::uint64_t> m_table;
    // Whether the table names any source for a pair, 1 or 0: a scan's smaller table.
    std::vector<unsigned char> m_mayStart;
    // The sources prepared to go first, by their bit in the table.
    std::vector<std::string> m_leadSources;
    // The steps' targets one after another, then spare bytes: the one pass copies short
    // targets in one move.
    std::string m_paddedTargets;
    // The steps' bits the one pass looks for: all but repeated ones.
    std::uint64_t m_onePassSteps = 0;
    bool m_onePass = false;
};

// Marks the places of a block where one of a plan's sources may start.
class ReplacementPlan::MayStart {
public:
    MayStart() = default;
    explicit MayStart(const unsigned char* table) : m_table(table) {}
    std::uint64_t operator()(const unsigned char* bytes) const {
        std::uint64_t marks = 0;
        for (std::size_t k = 0; k < 64; ++k)
            marks |= std::uint64_t{m_table[pairHash(bytes[k], bytes[k + 1])]} << k;
        return marks;
    }

private:
    const unsigned char* m_table = nullptr;
};

class ReplacementPlan::TextScan : public SjisCharacterScan<MayStart> {
public:
    TextScan() = default;
    // The plan and the text must outlive the scan, and the plan is prepared for every
    // replacement to go first before the scan starts.
    TextScan(const ReplacementPlan& plan, std::string_view text)
        : SjisCharacterScan(text, MayStart(plan.m_mayStart.data())) {}
};

class ReplacementPlan::Prelude {
public:
    Prelude() = default;

private:
    friend class ReplacementPlan;
    struct Lead : Entry {
        std::uint64_t bit = 0; // its source's in the table
    };
    std::vector<Lead> m_leads;
    std::uint64_t m_leadBits = 0;
    std::string m_paddedTargets; // as ReplacementPlan::m_paddedTargets
    bool m_onePass = true;
};

} // namespace mireto
