#include "settings/template_exchange.h"

#include "settings/settings_file.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <type_traits>

namespace mireto {

namespace {

using Position = SettingsStore::Position;

bool sameName(const NameRules& rules, std::string_view a, std::string_view b) {
    return rules.same ? rules.same(a, b) : a == b;
}

bool sortsBefore(const NameRules& rules, std::string_view a, std::string_view b) {
    return rules.before ? rules.before(a, b) : a < b;
}

std::size_t storedCount(const SettingsStore& store, RecordKind kind) {
    switch (kind) {
    case RecordKind::OverallTemplate:
        return store.overallTemplateCount();
    case RecordKind::EndingSet:
        return store.endingSetCount();
    case RecordKind::ReplacementSet:
        return store.replacementSetCount();
    }
    return 0;
}

std::string storedName(const SettingsStore& store, RecordKind kind, Position position) {
    switch (kind) {
    case RecordKind::OverallTemplate:
        return store.GetOverallTemplate(position).name;
    case RecordKind::EndingSet:
        return store.GetEndingSet(position).name;
    case RecordKind::ReplacementSet:
        return store.GetReplacementSet(position).name;
    }
    return {};
}

std::optional<Position> findNamed(const SettingsStore& store, RecordKind kind,
                                  std::string_view name, const NameRules& rules) {
    for (Position position = FirstEditable(kind); position < storedCount(store, kind); ++position) {
        if (sameName(rules, storedName(store, kind, position), name))
            return position;
    }
    return std::nullopt;
}

// "名前 (2)", "名前 (3)", ...: the first that no stored record of the kind has.
std::string freeName(const SettingsStore& store, RecordKind kind, const std::string& name,
                     const NameRules& rules) {
    for (int number = 2;; ++number) {
        std::string candidate = name + " (" + std::to_string(number) + ")";
        if (!findNamed(store, kind, candidate, rules))
            return candidate;
    }
}

template <typename Record>
void storeRecord(SettingsStore& store, Record record, Position position, bool overwrite) {
    if constexpr (std::is_same_v<Record, OverallTemplate>) {
        overwrite ? store.OverwriteOverallTemplate(std::move(record), position)
                  : store.InsertOverallTemplate(std::move(record), position);
    } else if constexpr (std::is_same_v<Record, EndingSet>) {
        overwrite ? store.OverwriteEndingSet(std::move(record), position)
                  : store.InsertEndingSet(std::move(record), position);
    } else {
        overwrite ? store.OverwriteReplacementSet(std::move(record), position)
                  : store.InsertReplacementSet(std::move(record), position);
    }
}

// Stores one record under its name or another, as `onConflict` says for a taken name.
template <typename Record>
ImportedRecord importOne(SettingsStore& store, RecordKind kind, Record record,
                         OnConflict onConflict, const NameRules& rules) {
    ImportedRecord result{kind, record.name, record.name, ImportedRecord::Result::Added};
    const std::optional<Position> taken = findNamed(store, kind, record.name, rules);
    if (taken && onConflict == OnConflict::Skip) {
        result.result = ImportedRecord::Result::Skipped;
        result.storedName = storedName(store, kind, *taken);
        return result;
    }
    if (taken && onConflict == OnConflict::Overwrite) {
        result.result = ImportedRecord::Result::Overwritten;
        storeRecord(store, std::move(record), *taken, true);
        return result;
    }
    if (taken) {
        result.result = ImportedRecord::Result::AddedAs;
        record.name = freeName(store, kind, record.name, rules);
        result.storedName = record.name;
    }
    const Position position = SortedPosition(store, kind, record.name, rules);
    storeRecord(store, std::move(record), position, false);
    return result;
}

// Of several records with one name, the first: it is the one the name finds.
template <typename Record>
std::vector<Record> namedRecords(const std::vector<Record>& list, Position from) {
    std::vector<Record> named;
    std::set<std::string> seen;
    for (Position position = from; position < list.size(); ++position) {
        const Record& record = list[position];
        if (record.name.empty() || !seen.insert(record.name).second)
            continue;
        if constexpr (!std::is_same_v<Record, OverallTemplate>) {
            if (record.name == kNoneName)
                continue;
        }
        named.push_back(record);
    }
    return named;
}

template <typename Record>
std::vector<Record> listOf(const SettingsStore& store, Record (SettingsStore::*get)(Position) const,
                           std::size_t count) {
    std::vector<Record> list;
    for (Position position = 0; position < count; ++position)
        list.push_back((store.*get)(position));
    return list;
}

void addUnique(std::vector<Position>& positions, Position position) {
    if (std::find(positions.begin(), positions.end(), position) == positions.end())
        positions.push_back(position);
}

} // namespace

const std::string& SharedRecords::nameOf(RecordKind kind, std::size_t index) const {
    switch (kind) {
    case RecordKind::OverallTemplate:
        return templates.at(index).name;
    case RecordKind::EndingSet:
        return endingSets.at(index).name;
    case RecordKind::ReplacementSet:
        break;
    }
    return replacementSets.at(index).name;
}

std::size_t SharedRecords::count(RecordKind kind) const {
    switch (kind) {
    case RecordKind::OverallTemplate:
        return templates.size();
    case RecordKind::EndingSet:
        return endingSets.size();
    case RecordKind::ReplacementSet:
        break;
    }
    return replacementSets.size();
}

SharedRecords RecordsToExport(const SettingsStore& store, const ExportRequest& request) {
    std::vector<Position> templates;
    std::vector<Position> endings;
    std::vector<Position> replacements;
    for (Position position : request.templates) {
        if (position >= store.overallTemplateCount())
            continue;
        addUnique(templates, position);
        // The sets a conversion with the template finds; 0 is the none set.
        if (const Position ending = store.FindEndingSetIndex(position); ending != 0)
            addUnique(endings, ending);
        if (const Position replacement = store.FindReplacementSetIndex(position); replacement != 0)
            addUnique(replacements, replacement);
    }
    for (Position position : request.endingSets) {
        if (position >= 1 && position < store.endingSetCount())
            addUnique(endings, position);
    }
    for (Position position : request.replacementSets) {
        if (position >= 1 && position < store.replacementSetCount())
            addUnique(replacements, position);
    }
    for (std::vector<Position>* list : {&templates, &endings, &replacements})
        std::sort(list->begin(), list->end());

    SharedRecords records;
    for (Position position : templates)
        records.templates.push_back(store.GetOverallTemplate(position));
    for (Position position : endings)
        records.endingSets.push_back(store.GetEndingSet(position));
    for (Position position : replacements)
        records.replacementSets.push_back(store.GetReplacementSet(position));
    return records;
}

std::string SharedFileBytes(const SharedRecords& records, const FormatSettings& settings) {
    CurrentSelection current{OverallTemplate{}, noneEndingSet(), noneReplacementSet()};
    const auto findSet = [](const auto& sets, const std::string& name) {
        return std::find_if(sets.begin(), sets.end(),
                            [&](const auto& set) { return set.name == name; });
    };
    if (!records.templates.empty()) {
        current.overallTemplate = records.templates.front();
        if (auto set = findSet(records.endingSets, current.overallTemplate.endingSetName);
            set != records.endingSets.end())
            current.endingSet = *set;
        if (auto set = findSet(records.replacementSets, current.overallTemplate.replacementSetName);
            set != records.replacementSets.end())
            current.replacementSet = *set;
    } else {
        if (!records.endingSets.empty())
            current.endingSet = records.endingSets.front();
        if (!records.replacementSets.empty())
            current.replacementSet = records.replacementSets.front();
        current.overallTemplate.endingSetName = current.endingSet.name;
        current.overallTemplate.replacementSetName = current.replacementSet.name;
    }

    // Laid out as the editor holds its store, the none sets first.
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    for (const EndingSet& set : records.endingSets)
        store.InsertEndingSet(set, store.endingSetCount());
    for (const ReplacementSet& set : records.replacementSets)
        store.InsertReplacementSet(set, store.replacementSetCount());
    for (const OverallTemplate& overall : records.templates)
        store.InsertOverallTemplate(overall, store.overallTemplateCount());
    return SettingsFileBytes(store, settings, current);
}

SharedFile ReadSharedBytes(std::string_view bytes) {
    SharedFile file;
    file.check = CheckSettingsFile(bytes);
    if (!file.check.ok()) {
        file.status = SharedFile::Status::Malformed;
        return file;
    }

    SettingsStore store;
    if (!ReadSettingsFile(bytes, file.formatSettings, store)) {
        file.status = SharedFile::Status::Unreadable;
        return file;
    }
    // Position 0 of each list is its section's current slot.
    file.records.templates = namedRecords(
        listOf(store, &SettingsStore::GetOverallTemplate, store.overallTemplateCount()), 1);
    file.records.endingSets =
        namedRecords(listOf(store, &SettingsStore::GetEndingSet, store.endingSetCount()), 1);
    file.records.replacementSets = namedRecords(
        listOf(store, &SettingsStore::GetReplacementSet, store.replacementSetCount()), 1);
    file.status = SharedFile::Status::Read;
    return file;
}

bool NameTaken(const SettingsStore& store, RecordKind kind, std::string_view name,
               const NameRules& rules) {
    return findNamed(store, kind, name, rules).has_value();
}

Position FirstEditable(RecordKind kind) {
    return kind == RecordKind::OverallTemplate ? 0 : 1;
}

std::optional<Position> FindListed(const SettingsStore& store, RecordKind kind,
                                   std::string_view name, const NameRules& rules) {
    for (Position position = FirstEditable(kind);; ++position) {
        const std::string stored = storedName(store, kind, position);
        if (stored.empty())
            return std::nullopt;
        if (sameName(rules, stored, name))
            return position;
    }
}

Position SortedPosition(const SettingsStore& store, RecordKind kind, std::string_view name,
                        const NameRules& rules) {
    // A list kept in order stays in order, and one that is not still gives the name one
    // definite place. The lists end at the first entry without a name.
    for (Position position = FirstEditable(kind);; ++position) {
        const std::string stored = storedName(store, kind, position);
        if (stored.empty() || sortsBefore(rules, name, stored))
            return position;
    }
}

bool DeleteRecord(SettingsStore& store, RecordKind kind, Position position) {
    if (position < FirstEditable(kind))
        return false;
    switch (kind) {
    case RecordKind::OverallTemplate:
        return store.DeleteOverallTemplate(position);
    case RecordKind::EndingSet:
        return store.DeleteEndingSet(position);
    case RecordKind::ReplacementSet:
        return store.DeleteReplacementSet(position);
    }
    return false;
}

std::vector<ImportedRecord> ImportRecords(SettingsStore& store, const SharedRecords& records,
                                          const std::vector<ImportChoice>& choices,
                                          const NameRules& rules) {
    std::vector<ImportedRecord> results;
    // New names the sets took, by the name the file gives them, for the templates.
    std::map<std::string, std::string> endingNames;
    std::map<std::string, std::string> replacementNames;
    for (RecordKind kind :
         {RecordKind::EndingSet, RecordKind::ReplacementSet, RecordKind::OverallTemplate}) {
        for (const ImportChoice& choice : choices) {
            if (choice.kind != kind || choice.index >= records.count(kind))
                continue;
            switch (kind) {
            case RecordKind::EndingSet:
                results.push_back(importOne(store, kind, records.endingSets[choice.index],
                                            choice.onConflict, rules));
                if (results.back().result == ImportedRecord::Result::AddedAs)
                    endingNames[results.back().fileName] = results.back().storedName;
                break;
            case RecordKind::ReplacementSet:
                results.push_back(importOne(store, kind, records.replacementSets[choice.index],
                                            choice.onConflict, rules));
                if (results.back().result == ImportedRecord::Result::AddedAs)
                    replacementNames[results.back().fileName] = results.back().storedName;
                break;
            case RecordKind::OverallTemplate: {
                OverallTemplate overall = records.templates[choice.index];
                if (auto renamed = endingNames.find(overall.endingSetName);
                    renamed != endingNames.end())
                    overall.endingSetName = renamed->second;
                if (auto renamed = replacementNames.find(overall.replacementSetName);
                    renamed != replacementNames.end())
                    overall.replacementSetName = renamed->second;
                results.push_back(importOne(store, kind, overall, choice.onConflict, rules));
                break;
            }
            }
        }
    }
    return results;
}

std::vector<RecordKind> MissingSets(const SettingsStore& store, const SharedRecords& records,
                                    std::size_t index, const std::vector<ImportChoice>& choices,
                                    const NameRules& rules) {
    // The import made on a copy, and the template looked at as a conversion finds its
    // sets: by exact name, the none set when none matches.
    std::vector<ImportChoice> withTemplate = choices;
    const ImportChoice self{RecordKind::OverallTemplate, index, OnConflict::KeepBoth};
    const bool chosen =
        std::any_of(choices.begin(), choices.end(), [&](const ImportChoice& choice) {
            return choice.kind == self.kind && choice.index == self.index;
        });
    if (!chosen)
        withTemplate.push_back(self);
    SettingsStore after = store;
    const std::vector<ImportedRecord> results = ImportRecords(after, records, withTemplate, rules);
    std::vector<RecordKind> missing;
    for (const ImportedRecord& result : results) {
        if (result.kind != RecordKind::OverallTemplate ||
            result.result == ImportedRecord::Result::Skipped ||
            result.fileName != records.templates.at(index).name)
            continue;
        const std::optional<Position> stored =
            findNamed(after, RecordKind::OverallTemplate, result.storedName, NameRules{});
        if (!stored)
            break;
        const OverallTemplate overall = after.GetOverallTemplate(*stored);
        if (after.FindEndingSetIndex(*stored) == 0 && overall.endingSetName != kNoneName)
            missing.push_back(RecordKind::EndingSet);
        if (after.FindReplacementSetIndex(*stored) == 0 && overall.replacementSetName != kNoneName)
            missing.push_back(RecordKind::ReplacementSet);
        break;
    }
    return missing;
}

} // namespace mireto
