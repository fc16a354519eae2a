#include "convert/replacement_plan.h"

#include "convert/sjis_text.h"

#include <algorithm>

namespace mireto {

ReplacementPlan::ReplacementPlan(const ReplacementSet& set, std::size_t blockBytes)
    : ReplacementPlan(set) {
    m_blockBytes = std::max<std::size_t>(blockBytes, 1);
}

ReplacementPlan::ReplacementPlan(const ReplacementSet& set) : m_byPair(1u << kHashBits, 0) {
    const std::size_t rules = std::min(set.sources.size(), set.targets.size());
    for (std::size_t rule = 0; rule < rules; ++rule) {
        for (const std::string& source : set.sources[rule]) {
            if (!source.empty())
                m_steps.push_back({{source, set.targets[rule]}});
        }
    }
    for (std::size_t i = 0; i < m_steps.size() && i < 64; ++i) {
        const std::string_view source = m_steps[i].source;
        const std::uint64_t bit = std::uint64_t{1} << i;
        const auto first = static_cast<unsigned char>(source[0]);
        if (source.size() == 1)
            m_byByte[first] |= bit;
        else
            m_byPair[pairHash(first, static_cast<unsigned char>(source[1]))] |= bit;
    }
    for (Step& step : m_steps)
        step.enables = enabledBy(step.target);
}

std::uint64_t ReplacementPlan::candidates(std::string_view segment) const {
    std::uint64_t found = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(segment.data());
    const std::size_t size = segment.size();
    for (std::size_t i = 0; i < size; ++i) {
        found |= m_byByte[bytes[i]];
        if (i + 1 < size)
            found |= m_byPair[pairHash(bytes[i], bytes[i + 1])];
    }
    return found;
}

std::uint64_t ReplacementPlan::enabledBy(std::string_view target) const {
    if (target.empty())
        return ~std::uint64_t{0};
    std::uint64_t enables = candidates(target);
    for (std::size_t j = 0; j < m_steps.size() && j < 64; ++j) {
        const std::string_view source = m_steps[j].source;
        if (source.front() == target.back() || (source.size() > 1 && source[1] == target.front()))
            enables |= std::uint64_t{1} << j;
    }
    return enables;
}

void ReplacementPlan::apply(std::string& segment, std::string& buffer) const {
    if (feedsInBlocks(segment.size())) {
        buffer.clear();
        appendInBlocks(segment, {}, buffer);
        segment.swap(buffer);
        return;
    }
    std::uint64_t possible = candidates(segment);
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        if (i < 64 && (possible & (std::uint64_t{1} << i)) == 0)
            continue;
        if (sjis::replaceAll(segment, m_steps[i].source, m_steps[i].target, buffer) > 0)
            possible |= m_steps[i].enables;
    }
}

void ReplacementPlan::appendInBlocks(std::string_view segment, std::span<const Replacement> first,
                                     std::string& out) const {
    // Every step joins the chain. Whether it finds anything is only known once a block
    // reaches it, and a step that finds nothing costs one memchr over a block in the
    // cache: less than a pass over the whole segment to rule it out beforehand.
    std::vector<sjis::StreamReplacer> chain;
    chain.reserve(first.size() + m_steps.size());
    for (const Replacement& replacement : first)
        chain.emplace_back(replacement.source, replacement.target);
    for (const Step& step : m_steps)
        chain.emplace_back(step.source, step.target);
    if (chain.empty()) {
        out.append(segment);
        return;
    }
    for (std::size_t at = 0; at < segment.size(); at += m_blockBytes) {
        const bool last = segment.size() - at <= m_blockBytes;
        chain.front().input().append(segment.substr(at, m_blockBytes));
        for (std::size_t k = 0; k < chain.size(); ++k)
            chain[k].drain(k + 1 < chain.size() ? chain[k + 1].input() : out, last);
    }
}

} // namespace mireto
