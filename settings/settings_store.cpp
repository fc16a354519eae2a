#include "settings/settings_store.h"

#include <algorithm>
#include <utility>

namespace mireto {

namespace {

template <typename Record> Record at(const std::vector<Record>& list, std::size_t position) {
    return position < list.size() ? list[position] : Record{};
}

template <typename Record>
void insertAt(std::vector<Record>& list, Record record, std::size_t position) {
    if (position > list.size())
        position = list.size();
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), std::move(record));
}

template <typename Record>
void insertAll(std::vector<Record>& list, std::vector<std::pair<std::size_t, Record>> records) {
    if (records.empty())
        return;
    std::stable_sort(records.begin(), records.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Record> merged;
    merged.reserve(list.size() + records.size());
    auto next = records.begin();
    for (std::size_t position = 0; position <= list.size(); ++position) {
        for (; next != records.end() && std::min(next->first, list.size()) == position; ++next)
            merged.push_back(std::move(next->second));
        if (position < list.size())
            merged.push_back(std::move(list[position]));
    }
    list = std::move(merged);
}

// Beyond the count no caller overwrites; such a call appends rather than being lost.
template <typename Record>
void overwriteAt(std::vector<Record>& list, Record record, std::size_t position) {
    if (position < list.size())
        list[position] = std::move(record);
    else
        list.push_back(std::move(record));
}

template <typename Record> bool eraseAt(std::vector<Record>& list, std::size_t position) {
    if (position >= list.size())
        return false;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

template <typename Record>
std::size_t findByName(const std::vector<Record>& list, const std::string& name) {
    for (std::size_t position = 0; position < list.size(); ++position) {
        if (list[position].name == name)
            return position;
    }
    return 0;
}

} // namespace

EndingSet SettingsStore::GetEndingSet(Position position) const {
    return at(m_endingSets, position);
}

ReplacementSet SettingsStore::GetReplacementSet(Position position) const {
    return at(m_replacementSets, position);
}

OverallTemplate SettingsStore::GetOverallTemplate(Position position) const {
    return at(m_overallTemplates, position);
}

std::string SettingsStore::GetFormatName(Position position) const {
    return at(m_formatNames, position);
}

SettingsStore::Position SettingsStore::FindEndingSetIndex(Position templatePosition) const {
    return findByName(m_endingSets, GetOverallTemplate(templatePosition).endingSetName);
}

SettingsStore::Position SettingsStore::FindReplacementSetIndex(Position templatePosition) const {
    return findByName(m_replacementSets, GetOverallTemplate(templatePosition).replacementSetName);
}

void SettingsStore::InsertEndingSet(EndingSet set, Position position) {
    insertAt(m_endingSets, std::move(set), position);
}

void SettingsStore::InsertReplacementSet(ReplacementSet set, Position position) {
    insertAt(m_replacementSets, std::move(set), position);
}

void SettingsStore::InsertOverallTemplate(OverallTemplate overall, Position position) {
    insertAt(m_overallTemplates, std::move(overall), position);
}

void SettingsStore::InsertEndingSets(std::vector<std::pair<Position, EndingSet>> sets) {
    insertAll(m_endingSets, std::move(sets));
}

void SettingsStore::InsertReplacementSets(std::vector<std::pair<Position, ReplacementSet>> sets) {
    insertAll(m_replacementSets, std::move(sets));
}

void SettingsStore::InsertOverallTemplates(
    std::vector<std::pair<Position, OverallTemplate>> overalls) {
    insertAll(m_overallTemplates, std::move(overalls));
}

void SettingsStore::OverwriteEndingSet(EndingSet set, Position position) {
    overwriteAt(m_endingSets, std::move(set), position);
}

void SettingsStore::OverwriteReplacementSet(ReplacementSet set, Position position) {
    overwriteAt(m_replacementSets, std::move(set), position);
}

void SettingsStore::OverwriteOverallTemplate(OverallTemplate overall, Position position) {
    overwriteAt(m_overallTemplates, std::move(overall), position);
}

ReplacementSet SettingsStore::ExchangeReplacementSet(ReplacementSet set, Position position) {
    if (position >= m_replacementSets.size()) {
        m_replacementSets.push_back(std::move(set));
        return {};
    }
    return std::exchange(m_replacementSets[position], std::move(set));
}

bool SettingsStore::DeleteEndingSet(Position position) {
    return eraseAt(m_endingSets, position);
}

bool SettingsStore::DeleteReplacementSet(Position position) {
    return eraseAt(m_replacementSets, position);
}

bool SettingsStore::DeleteOverallTemplate(Position position) {
    return eraseAt(m_overallTemplates, position);
}

void SettingsStore::BuildFormatNames() {
    for (std::string_view name : kFormatNames)
        m_formatNames.emplace_back(name);
}

} // namespace mireto
