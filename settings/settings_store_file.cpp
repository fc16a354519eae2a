#include "settings/ini_fields.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <optional>

namespace mireto {

namespace {

// What one rule of a replacement set takes in memory besides its strings' bytes.
constexpr std::size_t kRuleBytes = sizeof(ReplacementSet::Sources) + sizeof(std::string);

// Each reader is given the memory still allowed and gives nothing when its entry would
// take more, before making it where that could be large.
std::optional<EndingSet> readEndingSet(std::string_view line, std::size_t /*left*/) {
    FieldReader fields(line);
    EndingSet set;
    set.name = fields.readString();
    for (std::size_t slot = 0; slot < set.words.size(); ++slot) {
        set.words[slot] = fields.readString();
        set.frequencies[slot] = fields.readInt();
    }
    // "改行も変更" follows only when it is on; older files end after the slots.
    if (fields.hasField())
        set.changeLineBreaks = fields.readInt() == 1 ? 1 : 0;
    return set;
}

// The stated rule count is only an upper bound: a damaged line that states more rules
// than it holds gets the rules that are there, and no more. They are counted first, so
// that the set takes exactly the room they need.
std::size_t rulesOnLine(std::string_view line) {
    FieldReader fields(line);
    const std::int32_t stated = fields.readInt();
    fields.skipString();
    std::int32_t rules = 0;
    for (; rules < stated && fields.hasField(); ++rules) {
        for (int field = 0; field < 5; ++field)
            fields.skipString();
    }
    return static_cast<std::size_t>(rules);
}

std::optional<ReplacementSet> readReplacementSet(std::string_view line, std::size_t left) {
    const std::size_t count = rulesOnLine(line);
    if (count > left / kRuleBytes)
        return std::nullopt;
    FieldReader fields(line);
    ReplacementSet set;
    set.clearRules();
    set.sources.reserve(count);
    set.targets.reserve(count);
    fields.readInt();
    set.name = fields.readString();
    for (std::size_t rule = 0; rule < count; ++rule) {
        ReplacementSet::Sources sources;
        for (std::string& source : sources)
            source = fields.readString();
        std::string target = fields.readString();
        set.addRule(std::move(sources), std::move(target));
    }
    return set;
}

std::optional<OverallTemplate> readOverallTemplate(std::string_view line, std::size_t /*left*/) {
    FieldReader fields(line);
    OverallTemplate overall;
    overall.name = fields.readString();
    overall.endingSetName = fields.readString();
    overall.replacementSetName = fields.readString();
    overall.formatName = fields.readString();
    return overall;
}

// Roughly what a record read from the file takes in memory: the record itself and the
// bytes of its strings.
std::size_t footprint(const EndingSet& set) {
    std::size_t bytes = sizeof(EndingSet) + set.name.size();
    for (const std::string& word : set.words)
        bytes += word.size();
    return bytes;
}

std::size_t footprint(const ReplacementSet& set) {
    std::size_t bytes = sizeof(ReplacementSet) + set.name.size() + set.ruleCount() * kRuleBytes;
    for (std::size_t rule = 0; rule < set.ruleCount(); ++rule) {
        for (const std::string& source : set.sources[rule])
            bytes += source.size();
        bytes += set.targets[rule].size();
    }
    return bytes;
}

std::size_t footprint(const OverallTemplate& overall) {
    return sizeof(OverallTemplate) + overall.name.size() + overall.endingSetName.size() +
           overall.replacementSetName.size() + overall.formatName.size();
}

// The lines of the section that starts here, up to its separator or the end.
std::size_t entriesAhead(LineReader lines) {
    std::size_t entries = 0;
    std::string_view line;
    while (lines.readLine(line) && line != kSeparator)
        ++entries;
    return entries;
}

// Reads one section, its separator included, into `list`. Every line is an entry, and
// every entry takes at least its record, so a section with more lines than the
// allowance has room for is refused before any is read; the list takes exactly the
// room its entries need.
template <typename Record, typename Read>
bool loadSection(LineReader& lines, std::vector<Record>& list, Read read, std::size_t& left) {
    const std::size_t entries = entriesAhead(lines);
    if (entries > left / sizeof(Record))
        return false;
    list.reserve(list.size() + entries);
    std::string_view line;
    while (lines.readLine(line) && line != kSeparator) {
        std::optional<Record> record = read(line, left);
        const std::size_t bytes = record ? footprint(*record) : left + 1;
        if (bytes > left)
            return false;
        left -= bytes;
        list.push_back(std::move(*record));
    }
    return true;
}

void writeLine(std::string& out, const EndingSet& set) {
    writeStringField(out, set.name);
    for (std::size_t slot = 0; slot < set.words.size(); ++slot) {
        writeStringField(out, set.words[slot]);
        writeIntField(out, set.frequencies[slot]);
    }
    if (set.changeLineBreaks == 1)
        writeIntField(out, 1);
    out += kLineEnd;
}

void writeLine(std::string& out, const ReplacementSet& set) {
    // Only whole rules: a set whose two sequences disagree writes the shorter.
    const std::size_t rules = std::min(set.sources.size(), set.targets.size());
    writeIntField(out, static_cast<std::int32_t>(rules));
    writeStringField(out, set.name);
    for (std::size_t rule = 0; rule < rules; ++rule) {
        for (const std::string& source : set.sources[rule])
            writeStringField(out, source);
        writeStringField(out, set.targets[rule]);
    }
    out += kLineEnd;
}

void writeLine(std::string& out, const OverallTemplate& overall) {
    writeStringField(out, overall.name);
    writeStringField(out, overall.endingSetName);
    writeStringField(out, overall.replacementSetName);
    writeStringField(out, overall.formatName);
    out += kLineEnd;
}

void endSection(std::string& out) {
    out += kSeparator;
    out += kLineEnd;
}

} // namespace

bool SettingsStore::Load(LineReader& lines, std::size_t allowance) {
    return loadSection(lines, m_endingSets, readEndingSet, allowance) &&
           loadSection(lines, m_replacementSets, readReplacementSet, allowance) &&
           loadSection(lines, m_overallTemplates, readOverallTemplate, allowance);
}

void SettingsStore::Save(std::string& out) const {
    saveLists(out, nullptr);
}

void SettingsStore::SaveWithCurrent(std::string& out, const EndingSet& ending,
                                    const ReplacementSet& replacement,
                                    const OverallTemplate& overall) const {
    const CurrentRecords current{ending, replacement, overall};
    saveLists(out, &current);
}

void SettingsStore::saveLists(std::string& out, const CurrentRecords* current) const {
    // With current records, they take position 0 of the ending and replacement lists,
    // where the none sets are, and go before every overall template.
    const std::size_t skipped = current ? 1 : 0;
    if (current)
        writeLine(out, current->ending);
    for (std::size_t position = skipped; position < m_endingSets.size(); ++position)
        writeLine(out, m_endingSets[position]);
    endSection(out);

    if (current)
        writeLine(out, current->replacement);
    for (std::size_t position = skipped; position < m_replacementSets.size(); ++position)
        writeLine(out, m_replacementSets[position]);
    endSection(out);

    if (current)
        writeLine(out, current->overall);
    for (const OverallTemplate& overall : m_overallTemplates)
        writeLine(out, overall);
    endSection(out);
}

} // namespace mireto
