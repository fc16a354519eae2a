#include "convert/replacement_plan.h"

#include "convert/sjis_text.h"

namespace mireto {

ReplacementPlan::ReplacementPlan(const ReplacementSet& set) : m_byPair(1u << kHashBits, 0) {
    const std::size_t rules = std::min(set.sources.size(), set.targets.size());
    for (std::size_t rule = 0; rule < rules; ++rule) {
        for (const std::string& source : set.sources[rule]) {
            if (!source.empty())
                m_steps.push_back({source, set.targets[rule]});
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
    for (Step& step : m_steps) {
        if (step.target.empty()) {
            step.enables = ~std::uint64_t{0};
            continue;
        }
        step.enables = candidates(step.target);
        for (std::size_t j = 0; j < m_steps.size() && j < 64; ++j) {
            const std::string_view source = m_steps[j].source;
            if (source.front() == step.target.back() ||
                (source.size() > 1 && source[1] == step.target.front()))
                step.enables |= std::uint64_t{1} << j;
        }
    }
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

void ReplacementPlan::apply(std::string& segment, std::string& buffer) const {
    std::uint64_t possible = candidates(segment);
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        if (i < 64 && (possible & (std::uint64_t{1} << i)) == 0)
            continue;
        if (sjis::replaceAll(segment, m_steps[i].source, m_steps[i].target, buffer) > 0)
            possible |= m_steps[i].enables;
    }
}

} // namespace mireto
