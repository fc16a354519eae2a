#include "settings/outside_changes.h"

#include "platform/fingerprint.h"
#include "platform/regular_file.h"
#include "settings/settings_file.h"
#include "settings/settings_file_check.h"

namespace mireto {

namespace {} // namespace

void SettingsFileState::rememberFile(const std::filesystem::path& path) {
    const FileReadResult read = readRegularFile(path, kMaxSettingsFileBytes);
    if (read.status == ReadStatus::Ok)
        remember(read.bytes);
    else
        m_present = false;
}

void SettingsFileState::remember(std::string_view bytes) {
    m_present = true;
    m_size = bytes.size();
    m_fingerprint = fingerprint(bytes);
}

std::optional<std::string>
SettingsFileState::changedBytes(const std::filesystem::path& path) const {
    FileReadResult read = readRegularFile(path, kMaxSettingsFileBytes);
    if (read.status != ReadStatus::Ok)
        return std::nullopt;
    if (m_present && read.bytes.size() == m_size && fingerprint(read.bytes) == m_fingerprint)
        return std::nullopt;
    return std::move(read.bytes);
}

std::vector<ImportedRecord> TakeInOtherRecords(SettingsStore& store, std::string_view otherFile,
                                               const NameRules& rules) {
    // The other version's records as the file holds them, the current slots with them:
    // the other program's current template is one of its records too.
    if (!CheckSettingsFile(otherFile).ok())
        return {};
    SettingsStore other;
    FormatSettings ignored;
    if (!ReadSettingsFile(otherFile, ignored, other))
        return {};
    // Named ones only; a set named 無し is the built-in one.
    const auto named = [](auto get, std::size_t count, bool set) {
        std::vector<decltype(get(0))> kept;
        for (std::size_t position = 0; position < count; ++position) {
            auto record = get(position);
            if (!record.name.empty() && !(set && record.name == kNoneName))
                kept.push_back(std::move(record));
        }
        return kept;
    };
    SharedRecords records;
    records.endingSets =
        named([&](std::size_t p) { return other.GetEndingSet(p); }, other.endingSetCount(), true);
    records.replacementSets = named([&](std::size_t p) { return other.GetReplacementSet(p); },
                                    other.replacementSetCount(), true);
    records.templates = named([&](std::size_t p) { return other.GetOverallTemplate(p); },
                              other.overallTemplateCount(), false);

    std::vector<ImportChoice> choices;
    for (RecordKind kind :
         {RecordKind::EndingSet, RecordKind::ReplacementSet, RecordKind::OverallTemplate}) {
        for (std::size_t index = 0; index < records.count(kind); ++index)
            choices.push_back({kind, index, OnConflict::Skip});
    }
    std::vector<ImportedRecord> added;
    for (ImportedRecord& result : ImportRecords(store, records, choices, rules)) {
        if (result.result != ImportedRecord::Result::Skipped)
            added.push_back(std::move(result));
    }
    return added;
}

} // namespace mireto
