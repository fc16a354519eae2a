#include "settings/template_exchange.h"

#include "settings/settings_file.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <type_traits>
#include <unordered_map>
#include <utility>

namespace mireto {

namespace {

using Position = SettingsStore::Position;

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

std::size_t kindIndex(RecordKind kind) {
    return static_cast<std::size_t>(kind);
}

constexpr RecordKind kKinds[] = {RecordKind::OverallTemplate, RecordKind::EndingSet,
                                 RecordKind::ReplacementSet};

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

std::string StoredName(const SettingsStore& store, RecordKind kind, Position position) {
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

bool NameTaken(const SettingsStore& store, RecordKind kind, std::string_view name,
               const NameRules& rules) {
    const std::string key = rules.keyOf(name);
    for (Position position = FirstEditable(kind); position < storedCount(store, kind); ++position) {
        if (rules.keyOf(StoredName(store, kind, position)) == key)
            return true;
    }
    return false;
}

Position FirstEditable(RecordKind kind) {
    return kind == RecordKind::OverallTemplate ? 0 : 1;
}

std::optional<Position> FindListed(const SettingsStore& store, RecordKind kind,
                                   std::string_view name, const NameRules& rules) {
    for (Position position = FirstEditable(kind);; ++position) {
        const std::string stored = StoredName(store, kind, position);
        if (stored.empty())
            return std::nullopt;
        if (rules.same(stored, name))
            return position;
    }
}

Position SortedPosition(const SettingsStore& store, RecordKind kind, std::string_view name,
                        const NameRules& rules) {
    // A list kept in order stays in order, and one that is not still gives the name one
    // definite place. The lists end at the first entry without a name.
    for (Position position = FirstEditable(kind);; ++position) {
        const std::string stored = StoredName(store, kind, position);
        if (stored.empty() || rules.before(name, stored))
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

// One list of the store, and the file's records of its kind, by key: made once for a
// preview.
struct ImportPreview::Lists {
    struct List {
        Position first = 0;
        std::vector<std::string> names; // every stored name, from position 0
        std::vector<std::string> keys;  // those from the first position on
        // For each of those, the place of the greatest key up to it: where a new key goes
        // is before the first place whose greatest key sorts after it, even in a list not
        // kept in order.
        std::vector<std::size_t> greatestUpTo;
        std::unordered_map<std::string, std::size_t> firstWithKey;
        std::vector<std::string> fileKeys;

        // The place, counted from the first position, before which a new key goes.
        std::size_t gapFor(const std::string& key) const {
            const auto after = std::upper_bound(
                greatestUpTo.begin(), greatestUpTo.end(), key,
                [this](const std::string& wanted, std::size_t at) { return wanted < keys[at]; });
            return static_cast<std::size_t>(after - greatestUpTo.begin());
        }
    };
    std::array<List, 3> lists;
};

namespace {

// Where a record the import touches is: a stored place (counted from the list's first
// position), or the n-th record it adds.
struct Slot {
    bool added = false;
    std::size_t index = 0;
};

// What an import does to one list.
struct ListChanges {
    struct Added {
        std::size_t result; // the result whose record it is
        std::string key;
        std::size_t gap; // before which stored place it goes
    };
    std::vector<Added> added;
    std::unordered_map<std::string, std::size_t> addedWithKey;
    // Stored place → the result whose record takes its place (the last one).
    std::map<std::size_t, std::size_t> overwritten;
};

} // namespace

struct ImportPreview::Plan {
    std::vector<ImportedRecord> results;
    std::vector<std::size_t> fileIndex; // of each result's record
    std::array<ListChanges, 3> changes;
    // New names the sets took, by the name the file gives them, for the templates.
    std::unordered_map<std::string, std::string> endingNames;
    std::unordered_map<std::string, std::string> replacementNames;
};

ImportPreview::ImportPreview(const SettingsStore& store, const SharedRecords& records,
                             NameRules rules)
    : m_store(store), m_records(records), m_rules(std::move(rules)),
      m_lists(std::make_unique<Lists>()) {
    for (RecordKind kind : kKinds) {
        Lists::List& list = m_lists->lists[kindIndex(kind)];
        list.first = FirstEditable(kind);
        const std::size_t count = storedCount(store, kind);
        list.names.reserve(count);
        for (Position position = 0; position < count; ++position)
            list.names.push_back(StoredName(store, kind, position));
        const std::size_t listed = count - std::min<std::size_t>(count, list.first);
        list.keys.reserve(listed);
        list.greatestUpTo.reserve(listed);
        list.firstWithKey.reserve(listed);
        for (Position position = list.first; position < count; ++position) {
            const std::size_t at = list.keys.size();
            list.keys.push_back(m_rules.keyOf(list.names[position]));
            list.firstWithKey.emplace(list.keys.back(), at);
            const bool greater = at == 0 || list.keys[list.greatestUpTo.back()] < list.keys[at];
            list.greatestUpTo.push_back(greater ? at : list.greatestUpTo.back());
        }
        list.fileKeys.reserve(records.count(kind));
        for (std::size_t index = 0; index < records.count(kind); ++index)
            list.fileKeys.push_back(m_rules.keyOf(records.nameOf(kind, index)));
    }
}

ImportPreview::~ImportPreview() = default;

bool ImportPreview::taken(RecordKind kind, std::size_t index) const {
    const Lists::List& list = m_lists->lists[kindIndex(kind)];
    return index < list.fileKeys.size() && list.firstWithKey.count(list.fileKeys[index]) != 0;
}

ImportPreview::Plan ImportPreview::plan(const std::vector<ImportChoice>& choices) const {
    Plan plan;
    plan.results.reserve(choices.size());
    plan.fileIndex.reserve(choices.size());
    const auto find = [&](RecordKind kind, const std::string& key) -> std::optional<Slot> {
        const Lists::List& list = m_lists->lists[kindIndex(kind)];
        const ListChanges& changes = plan.changes[kindIndex(kind)];
        if (auto stored = list.firstWithKey.find(key); stored != list.firstWithKey.end())
            return Slot{false, stored->second};
        if (auto added = changes.addedWithKey.find(key); added != changes.addedWithKey.end())
            return Slot{true, added->second};
        return std::nullopt;
    };
    // The name the record in `slot` has by now.
    const auto nameIn = [&](RecordKind kind, Slot slot) -> std::string {
        const ListChanges& changes = plan.changes[kindIndex(kind)];
        if (slot.added)
            return plan.results[changes.added[slot.index].result].storedName;
        if (auto over = changes.overwritten.find(slot.index); over != changes.overwritten.end())
            return plan.results[over->second].storedName;
        const Lists::List& list = m_lists->lists[kindIndex(kind)];
        return list.names[list.first + slot.index];
    };

    for (RecordKind kind :
         {RecordKind::EndingSet, RecordKind::ReplacementSet, RecordKind::OverallTemplate}) {
        const Lists::List& list = m_lists->lists[kindIndex(kind)];
        ListChanges& changes = plan.changes[kindIndex(kind)];
        // For each name that had to take a number, the number it took: a number below
        // it was taken then and still is, since an import only adds names. Without it,
        // many records of one name would try every number each.
        std::unordered_map<std::string, int> numberTaken;
        const auto ofKind = static_cast<std::size_t>(
            std::count_if(choices.begin(), choices.end(),
                          [kind](const ImportChoice& choice) { return choice.kind == kind; }));
        changes.added.reserve(ofKind);
        changes.addedWithKey.reserve(ofKind);
        for (const ImportChoice& choice : choices) {
            if (choice.kind != kind || choice.index >= m_records.count(kind))
                continue;
            const std::string& name = m_records.nameOf(kind, choice.index);
            const std::size_t number = plan.results.size();
            plan.results.push_back({kind, name, name, ImportedRecord::Result::Added});
            plan.fileIndex.push_back(choice.index);
            ImportedRecord& result = plan.results.back();
            std::string key = list.fileKeys[choice.index];
            const std::optional<Slot> taken = find(kind, key);
            if (taken && choice.onConflict == OnConflict::Skip) {
                result.result = ImportedRecord::Result::Skipped;
                result.storedName = nameIn(kind, *taken);
                continue;
            }
            if (taken && choice.onConflict == OnConflict::Overwrite) {
                result.result = ImportedRecord::Result::Overwritten;
                if (taken->added)
                    changes.added[taken->index].result = number;
                else
                    changes.overwritten[taken->index] = number;
                continue;
            }
            if (taken) {
                // "名前 (2)", "名前 (3)", ...: the first that no record of the kind has.
                result.result = ImportedRecord::Result::AddedAs;
                int& number = numberTaken.try_emplace(key, 1).first->second;
                for (int suffix = number + 1;; ++suffix) {
                    std::string candidate = name + " (" + std::to_string(suffix) + ")";
                    std::string candidateKey = m_rules.keyOf(candidate);
                    if (!find(kind, candidateKey)) {
                        result.storedName = std::move(candidate);
                        key = std::move(candidateKey);
                        number = suffix;
                        break;
                    }
                }
                if (kind == RecordKind::EndingSet)
                    plan.endingNames[name] = result.storedName;
                else if (kind == RecordKind::ReplacementSet)
                    plan.replacementNames[name] = result.storedName;
            }
            const std::size_t gap = list.gapFor(key);
            changes.addedWithKey.emplace(key, changes.added.size());
            changes.added.push_back({number, std::move(key), gap});
        }
    }
    return plan;
}

std::vector<ImportedRecord> ImportPreview::results(const std::vector<ImportChoice>& choices) const {
    return plan(choices).results;
}

namespace {

// A template names its sets as they were stored.
void renameSets(OverallTemplate& overall,
                const std::unordered_map<std::string, std::string>& endings,
                const std::unordered_map<std::string, std::string>& replacements) {
    if (auto renamed = endings.find(overall.endingSetName); renamed != endings.end())
        overall.endingSetName = renamed->second;
    if (auto renamed = replacements.find(overall.replacementSetName); renamed != replacements.end())
        overall.replacementSetName = renamed->second;
}

} // namespace

std::vector<std::vector<RecordKind>>
ImportPreview::missingSets(const std::vector<ImportChoice>& choices) const {
    return missingSets(plan(choices));
}

std::vector<std::vector<RecordKind>> ImportPreview::missingSets(const Plan& plan) const {
    // The sets each template names once imported (its sets may have taken new names).
    std::vector<OverallTemplate> renamed;
    renamed.reserve(m_records.templates.size());
    for (const OverallTemplate& overall : m_records.templates) {
        renamed.push_back({overall.endingSetName, overall.replacementSetName, {}, {}});
        renameSets(renamed.back(), plan.endingNames, plan.replacementNames);
    }
    // How many sets of each kind carry each of those names, byte for byte, once imported:
    // a conversion finds its sets by exact name. Only the names some template looks for
    // are counted.
    std::array<std::unordered_map<std::string_view, std::ptrdiff_t>, 3> named;
    for (const OverallTemplate& overall : renamed) {
        named[kindIndex(RecordKind::EndingSet)].emplace(overall.endingSetName, 0);
        named[kindIndex(RecordKind::ReplacementSet)].emplace(overall.replacementSetName, 0);
    }
    for (RecordKind kind : {RecordKind::EndingSet, RecordKind::ReplacementSet}) {
        const Lists::List& list = m_lists->lists[kindIndex(kind)];
        const ListChanges& changes = plan.changes[kindIndex(kind)];
        std::unordered_map<std::string_view, std::ptrdiff_t>& counts = named[kindIndex(kind)];
        const auto add = [&counts](std::string_view name, std::ptrdiff_t by) {
            if (auto found = counts.find(name); found != counts.end())
                found->second += by;
        };
        for (const std::string& name : list.names)
            add(name, 1);
        for (const auto& [place, result] : changes.overwritten) {
            add(list.names[list.first + place], -1);
            add(plan.results[result].storedName, 1);
        }
        for (const ListChanges::Added& added : changes.added)
            add(plan.results[added.result].storedName, 1);
    }
    const auto finds = [&](RecordKind kind, const std::string& name) {
        if (name == kNoneName)
            return true;
        const auto& counts = named[kindIndex(kind)];
        const auto found = counts.find(name);
        return found != counts.end() && found->second > 0;
    };

    std::vector<bool> skipped(m_records.templates.size(), false);
    for (std::size_t at = 0; at < plan.results.size(); ++at) {
        if (plan.results[at].kind == RecordKind::OverallTemplate &&
            plan.results[at].result == ImportedRecord::Result::Skipped)
            skipped[plan.fileIndex[at]] = true;
    }
    std::vector<std::vector<RecordKind>> missing(m_records.templates.size());
    for (std::size_t index = 0; index < m_records.templates.size(); ++index) {
        if (skipped[index])
            continue;
        const OverallTemplate& overall = renamed[index];
        if (!finds(RecordKind::EndingSet, overall.endingSetName))
            missing[index].push_back(RecordKind::EndingSet);
        if (!finds(RecordKind::ReplacementSet, overall.replacementSetName))
            missing[index].push_back(RecordKind::ReplacementSet);
    }
    return missing;
}

namespace {

// Puts the plan's records of one kind into the store: the overwrites in their places,
// then every new record in one pass.
template <typename Record, typename Plan>
void storeChanges(SettingsStore& store, const Plan& plan, const ListChanges& changes,
                  const std::vector<Record>& fileRecords, Position first,
                  void (SettingsStore::*overwrite)(Record, Position),
                  void (SettingsStore::*insert)(std::vector<std::pair<Position, Record>>)) {
    const auto recordOf = [&](std::size_t result) {
        Record record = fileRecords[plan.fileIndex[result]];
        record.name = plan.results[result].storedName;
        if constexpr (std::is_same_v<Record, OverallTemplate>)
            renameSets(record, plan.endingNames, plan.replacementNames);
        return record;
    };
    for (const auto& [place, result] : changes.overwritten)
        (store.*overwrite)(recordOf(result), first + place);

    // Records bound for one place go in the order of their keys, and those with one
    // key in the order they came: as one by one before the first name sorting after.
    std::vector<std::size_t> order(changes.added.size());
    for (std::size_t at = 0; at < order.size(); ++at)
        order[at] = at;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const ListChanges::Added& x = changes.added[a];
        const ListChanges::Added& y = changes.added[b];
        return x.gap != y.gap ? x.gap < y.gap : x.key < y.key;
    });
    std::vector<std::pair<Position, Record>> inserted;
    inserted.reserve(order.size());
    for (std::size_t at : order)
        inserted.emplace_back(first + changes.added[at].gap, recordOf(changes.added[at].result));
    (store.*insert)(std::move(inserted));
}

} // namespace

namespace {

template <typename Plan>
std::vector<ImportedRecord> storePlan(SettingsStore& store, const SharedRecords& records,
                                      Plan& plan) {
    storeChanges(store, plan, plan.changes[kindIndex(RecordKind::EndingSet)], records.endingSets, 1,
                 &SettingsStore::OverwriteEndingSet, &SettingsStore::InsertEndingSets);
    storeChanges(store, plan, plan.changes[kindIndex(RecordKind::ReplacementSet)],
                 records.replacementSets, 1, &SettingsStore::OverwriteReplacementSet,
                 &SettingsStore::InsertReplacementSets);
    storeChanges(store, plan, plan.changes[kindIndex(RecordKind::OverallTemplate)],
                 records.templates, 0, &SettingsStore::OverwriteOverallTemplate,
                 &SettingsStore::InsertOverallTemplates);
    return std::move(plan.results);
}

} // namespace

std::vector<ImportedRecord> ImportRecords(SettingsStore& store, const SharedRecords& records,
                                          const std::vector<ImportChoice>& choices,
                                          const NameRules& rules) {
    ImportPreview::Plan plan;
    {
        const ImportPreview preview(store, records, rules);
        plan = preview.plan(choices);
    }
    return storePlan(store, records, plan);
}

std::vector<ImportedRecord> ImportRecords(SettingsStore& store, const SharedRecords& records,
                                          const std::vector<ImportChoice>& choices,
                                          const NameRules& rules,
                                          std::vector<std::vector<RecordKind>>& missingSets) {
    ImportPreview::Plan plan;
    {
        const ImportPreview preview(store, records, rules);
        plan = preview.plan(choices);
        missingSets = preview.missingSets(plan);
    }
    return storePlan(store, records, plan);
}

} // namespace mireto
