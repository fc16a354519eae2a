#include "settings/ini_fields.h"
#include "settings/settings_store.h"

#include <algorithm>

namespace mireto {

namespace {

enum Section : int { Endings = 0, Replacements = 1, Templates = 2, End = 3 };

EndingSet readEndingSet(std::string_view line) {
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
// than it holds gets the rules that are there, and no more.
ReplacementSet readReplacementSet(std::string_view line) {
    FieldReader fields(line);
    ReplacementSet set;
    set.clearRules();
    const std::int32_t count = fields.readInt();
    set.name = fields.readString();
    for (std::int32_t rule = 0; rule < count && fields.hasField(); ++rule) {
        ReplacementSet::Sources sources;
        for (std::string& source : sources)
            source = fields.readString();
        std::string target = fields.readString();
        set.addRule(std::move(sources), std::move(target));
    }
    return set;
}

OverallTemplate readOverallTemplate(std::string_view line) {
    FieldReader fields(line);
    OverallTemplate overall;
    overall.name = fields.readString();
    overall.endingSetName = fields.readString();
    overall.replacementSetName = fields.readString();
    overall.formatName = fields.readString();
    return overall;
}

void endSection(std::string& out) {
    out += kSeparator;
    out += kLineEnd;
}

} // namespace

void SettingsStore::Load(LineReader& lines) {
    int section = Endings;
    std::string_view line;
    while (section < End && lines.readLine(line)) {
        if (line == kSeparator) {
            ++section;
        } else if (section == Endings) {
            m_endingSets.push_back(readEndingSet(line));
        } else if (section == Replacements) {
            m_replacementSets.push_back(readReplacementSet(line));
        } else {
            m_overallTemplates.push_back(readOverallTemplate(line));
        }
    }
}

void SettingsStore::Save(std::string& out) const {
    for (const EndingSet& set : m_endingSets) {
        writeStringField(out, set.name);
        for (std::size_t slot = 0; slot < set.words.size(); ++slot) {
            writeStringField(out, set.words[slot]);
            writeIntField(out, set.frequencies[slot]);
        }
        if (set.changeLineBreaks == 1)
            writeIntField(out, 1);
        out += kLineEnd;
    }
    endSection(out);

    for (const ReplacementSet& set : m_replacementSets) {
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
    endSection(out);

    for (const OverallTemplate& overall : m_overallTemplates) {
        writeStringField(out, overall.name);
        writeStringField(out, overall.endingSetName);
        writeStringField(out, overall.replacementSetName);
        writeStringField(out, overall.formatName);
        out += kLineEnd;
    }
    endSection(out);
}

} // namespace mireto
