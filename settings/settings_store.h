// The in-memory home of every named ending set, replacement set and overall template,
// and of the seven page-style names. The editor view owns the one store; dialogs query
// and change it directly. Positions are unsigned: a list box's "no selection" (-1)
// arrives as a position beyond every list, which queries answer with defaults and
// deletes refuse.
#pragma once

#include "settings/line_reader.h"
#include "settings/records.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace mireto {

class SettingsStore {
public:
    using Position = std::size_t;

    // Copies; out of range gives the empty EndingSet, the default ReplacementSet, the
    // default OverallTemplate, the empty string.
    EndingSet GetEndingSet(Position position) const;
    ReplacementSet GetReplacementSet(Position position) const;
    OverallTemplate GetOverallTemplate(Position position) const;
    std::string GetFormatName(Position position) const;

    // Position of the first set named as overall template `templatePosition` says, or 0
    // (the built-in none set) when none is.
    Position FindEndingSetIndex(Position templatePosition) const;
    Position FindReplacementSetIndex(Position templatePosition) const;

    // Insert before `position` (0..count; count appends).
    void InsertEndingSet(EndingSet set, Position position);
    void InsertReplacementSet(ReplacementSet set, Position position);
    void InsertOverallTemplate(OverallTemplate overall, Position position);

    // Insert each record before the position it names in the list as it is now (0..count;
    // records naming one position keep their order): one pass, however many.
    void InsertEndingSets(std::vector<std::pair<Position, EndingSet>> sets);
    void InsertReplacementSets(std::vector<std::pair<Position, ReplacementSet>> sets);
    void InsertOverallTemplates(std::vector<std::pair<Position, OverallTemplate>> overalls);

    // Replace every field of the entry at `position` (below count).
    void OverwriteEndingSet(EndingSet set, Position position);
    void OverwriteReplacementSet(ReplacementSet set, Position position);
    void OverwriteOverallTemplate(OverallTemplate overall, Position position);

    // Puts `set` at `position` (below count) and returns the set that was there. How
    // start-up takes the current slot out of the list: unlike the other records, a
    // replacement set can be many times larger than its line.
    ReplacementSet ExchangeReplacementSet(ReplacementSet set, Position position);

    // False, changing nothing, when the position is not below the count.
    bool DeleteEndingSet(Position position);
    bool DeleteReplacementSet(Position position);
    bool DeleteOverallTemplate(Position position);

    // Appends the seven page-style names; called once at start-up.
    void BuildFormatNames();

    // The three template sections of the settings file: Load appends what it reads,
    // Save writes every list in order, each section ended by "----". Load stops, false,
    // once what it has read takes more than `allowance` bytes of memory.
    bool Load(LineReader& lines, std::size_t allowance = static_cast<std::size_t>(-1));
    void Save(std::string& out) const;
    // What Save would write once shutdown has put the current records first in each
    // list, in place of the none sets at position 0 of the ending and replacement
    // lists; the store itself is not changed.
    void SaveWithCurrent(std::string& out, const EndingSet& ending,
                         const ReplacementSet& replacement, const OverallTemplate& overall) const;

    // Counts, for the file, the tests and the benchmarks; the dialogs list by position
    // until the first empty name instead.
    std::size_t endingSetCount() const { return m_endingSets.size(); }
    std::size_t replacementSetCount() const { return m_replacementSets.size(); }
    std::size_t overallTemplateCount() const { return m_overallTemplates.size(); }

private:
    struct CurrentRecords {
        const EndingSet& ending;
        const ReplacementSet& replacement;
        const OverallTemplate& overall;
    };
    void saveLists(std::string& out, const CurrentRecords* current) const;

    std::vector<EndingSet> m_endingSets;
    std::vector<ReplacementSet> m_replacementSets;
    std::vector<OverallTemplate> m_overallTemplates;
    std::vector<std::string> m_formatNames;
};

} // namespace mireto
