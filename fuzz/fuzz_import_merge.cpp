// Importing any file into any store: the input is two settings files (the store's and
// the one imported, split at the first NUL) and, from its last bytes, the choice for
// each record. The import stores exactly what its preview says, one result per choice,
// every list grown by what was added; the records taken in from a file changed by
// another program come in under names the store lacked; and the time all of it takes
// stays within a bound per byte of input, however many names meet.
#include "fuzz/cpu_time.h"
#include "settings/outside_changes.h"
#include "settings/settings_file.h"
#include "settings/template_exchange.h"

#include <cctype>
#include <cstdlib>

using namespace mireto;

namespace {

SettingsStore storeFrom(std::string_view bytes) {
    SettingsStore store;
    FormatSettings settings;
    if (!ReadSettingsFile(bytes, settings, store))
        store = SettingsStore{};
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    return store;
}

template <typename Record>
std::vector<Record> listOf(const SettingsStore& store,
                           Record (SettingsStore::*get)(std::size_t) const, std::size_t count) {
    std::vector<Record> list;
    for (std::size_t position = 0; position < count; ++position)
        list.push_back((store.*get)(position));
    return list;
}

std::size_t count(const SettingsStore& store, RecordKind kind) {
    return kind == RecordKind::OverallTemplate ? store.overallTemplateCount()
           : kind == RecordKind::EndingSet     ? store.endingSetCount()
                                               : store.replacementSetCount();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::string_view storeBytes = input.substr(0, split);
    const std::string_view fileBytes = input.substr(std::min(split + 1, input.size()));

    fuzz::checkTimePerByte(size, [&] {
        const SettingsStore before = storeFrom(storeBytes);
        // The file's lists as they stand, duplicates and empty names too.
        const SettingsStore other = storeFrom(fileBytes);
        SharedRecords records;
        records.templates =
            listOf(other, &SettingsStore::GetOverallTemplate, other.overallTemplateCount());
        records.endingSets = listOf(other, &SettingsStore::GetEndingSet, other.endingSetCount());
        records.replacementSets =
            listOf(other, &SettingsStore::GetReplacementSet, other.replacementSetCount());
        std::vector<ImportChoice> choices;
        std::size_t at = 0;
        for (RecordKind kind :
             {RecordKind::ReplacementSet, RecordKind::OverallTemplate, RecordKind::EndingSet}) {
            for (std::size_t index = 0; index < records.count(kind); ++index, ++at) {
                const auto byte = size ? data[size - 1 - at % size] : 0;
                if (byte % 5 != 0)
                    choices.push_back({kind, index, static_cast<OnConflict>(byte % 3)});
            }
        }
        // Letter case ignored, as the editor's lists compare.
        const NameRules rules = size % 2 ? NameRules{} : NameRules{[](std::string_view name) {
            std::string key(name);
            for (char& c : key)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return key;
        }};

        const ImportPreview preview(before, records, rules);
        const std::vector<ImportedRecord> expected = preview.results(choices);
        if (preview.missingSets(choices).size() != records.templates.size())
            std::abort();
        SettingsStore after = before;
        const std::vector<ImportedRecord> results = ImportRecords(after, records, choices, rules);
        if (results != expected || results.size() != choices.size())
            std::abort();
        for (RecordKind kind :
             {RecordKind::OverallTemplate, RecordKind::EndingSet, RecordKind::ReplacementSet}) {
            std::size_t added = 0;
            for (const ImportedRecord& result : results)
                added += result.kind == kind && (result.result == ImportedRecord::Result::Added ||
                                                 result.result == ImportedRecord::Result::AddedAs);
            if (count(after, kind) != count(before, kind) + added)
                std::abort();
        }

        SettingsStore merged = before;
        const std::vector<ImportedRecord> taken = TakeInOtherRecords(merged, fileBytes, rules);
        for (const ImportedRecord& result : taken) {
            if (result.result != ImportedRecord::Result::Added)
                std::abort();
        }
    });
    return 0;
}
