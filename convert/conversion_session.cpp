#include "convert/conversion_session.h"

#include "convert/converter_factory.h"

#include <memory>

namespace mireto {

namespace {

using Position = SettingsStore::Position;

std::size_t countOf(const SettingsStore& store, RecordKind kind) {
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

template <typename Record>
std::optional<ConversionSession::Saved>
saveRecord(SettingsStore& store, RecordKind kind, Record record, const NameRules& rules,
           void (SettingsStore::*insert)(Record, Position),
           void (SettingsStore::*overwrite)(Record, Position)) {
    if (record.name.empty())
        return std::nullopt;
    if (const std::optional<Position> listed = FindListed(store, kind, record.name, rules)) {
        (store.*overwrite)(std::move(record), *listed);
        return ConversionSession::Saved{*listed, true};
    }
    const Position position = SortedPosition(store, kind, record.name, rules);
    (store.*insert)(std::move(record), position);
    return ConversionSession::Saved{position, false};
}

// A converter for one page in `format` with the session's sets and settings; null for
// no style.
std::unique_ptr<Converter> converterFor(std::optional<OutputFormat> format,
                                        const ConversionSession& session, const std::string& text,
                                        std::time_t moment) {
    if (!format)
        return nullptr;
    std::unique_ptr<Converter> converter = createConverter(*format, session.formatSettings());
    converter->setInputs(session.currentEndingSet(), session.currentReplacementSet(), text);
    converter->setClock([moment] { return moment; });
    return converter;
}

} // namespace

ConversionSession::ConversionSession(NameRules rules) : m_rules(std::move(rules)) {
    startWithDefaults();
}

StartupOutcome ConversionSession::start(std::string_view settingsBytes) {
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;
    const StartupOutcome outcome = LoadSettingsFromBytes(settingsBytes, store, settings, current);
    m_store = std::move(store);
    m_formatSettings = std::move(settings);
    m_current = std::move(current);
    return outcome;
}

void ConversionSession::startWithDefaults() {
    m_store = SettingsStore{};
    StartWithDefaults(m_store);
    m_formatSettings = FormatSettings{};
    m_current = CurrentSelection{};
}

std::string ConversionSession::settingsBytes() const {
    return SettingsFileBytes(m_store, m_formatSettings, m_current);
}

std::vector<std::string> ConversionSession::names(RecordKind kind) const {
    std::vector<std::string> listed;
    for (Position position = 0;; ++position) {
        std::string name = StoredName(m_store, kind, position);
        if (name.empty())
            return listed;
        listed.push_back(std::move(name));
    }
}

std::vector<std::string> ConversionSession::formatNames() const {
    std::vector<std::string> listed;
    for (Position position = 0; position < kFormatCount; ++position)
        listed.push_back(m_store.GetFormatName(position));
    return listed;
}

std::optional<Position> ConversionSession::find(RecordKind kind, std::string_view name) const {
    const std::size_t count = countOf(m_store, kind);
    for (Position position = 0; position < count; ++position) {
        if (StoredName(m_store, kind, position) == name)
            return position;
    }
    return std::nullopt;
}

std::optional<OutputFormat> ConversionSession::currentFormat() const {
    for (Position position = 0; position < kFormatCount; ++position) {
        if (m_store.GetFormatName(position) == m_current.overallTemplate.formatName)
            return static_cast<OutputFormat>(position);
    }
    return std::nullopt;
}

ConversionSession::TemplatePick ConversionSession::pickTemplate(Position position) {
    TemplatePick pick;
    pick.replacementSet = m_store.FindReplacementSetIndex(position);
    m_current.replacementSet = m_store.GetReplacementSet(pick.replacementSet);
    pick.endingSet = m_store.FindEndingSetIndex(position);
    m_current.endingSet = m_store.GetEndingSet(pick.endingSet);
    const OverallTemplate overall = m_store.GetOverallTemplate(position);
    // The style is found as the panel's list finds a name; for one that names none of
    // the seven, no style is selected, and so none is current.
    for (Position format = 0; format < kFormatCount; ++format) {
        const std::string name = m_store.GetFormatName(format);
        if (m_rules.same(name, overall.formatName)) {
            pick.format = format;
            break;
        }
    }
    OverallTemplate& current = m_current.overallTemplate;
    current.name = overall.name;
    current.endingSetName = m_current.endingSet.name;
    current.replacementSetName = m_current.replacementSet.name;
    current.formatName = m_store.GetFormatName(pick.format.value_or(static_cast<Position>(-1)));
    return pick;
}

void ConversionSession::pickEndingSet(Position position) {
    m_current.endingSet = m_store.GetEndingSet(position);
    m_current.overallTemplate.endingSetName = m_current.endingSet.name;
}

void ConversionSession::pickReplacementSet(Position position) {
    m_current.replacementSet = m_store.GetReplacementSet(position);
    m_current.overallTemplate.replacementSetName = m_current.replacementSet.name;
}

void ConversionSession::pickFormat(Position position) {
    m_current.overallTemplate.formatName = m_store.GetFormatName(position);
}

bool ConversionSession::pickByName(RecordKind kind, std::string_view name) {
    const std::optional<Position> position = find(kind, name);
    if (!position)
        return false;
    switch (kind) {
    case RecordKind::OverallTemplate:
        pickTemplate(*position);
        break;
    case RecordKind::EndingSet:
        pickEndingSet(*position);
        break;
    case RecordKind::ReplacementSet:
        pickReplacementSet(*position);
        break;
    }
    return true;
}

void ConversionSession::useTemplate(OverallTemplate overall) {
    m_current.overallTemplate = std::move(overall);
}

void ConversionSession::useEndingSet(EndingSet set) {
    m_current.endingSet = std::move(set);
}

void ConversionSession::useReplacementSet(ReplacementSet set) {
    m_current.replacementSet = std::move(set);
}

void ConversionSession::useCurrent(CurrentSelection current) {
    m_current = std::move(current);
}

void ConversionSession::setFormatSettings(FormatSettings settings) {
    m_formatSettings = std::move(settings);
}

void ConversionSession::setFontPlaySettings(const FontPlaySettings& settings) {
    m_formatSettings.setFontPlay(settings);
}

void ConversionSession::setIdolNewsSettings(IdolNewsSettings settings) {
    m_formatSettings.idolNews = std::move(settings);
}

void ConversionSession::setThreadSettings(ThreadSettings settings) {
    m_formatSettings.thread = std::move(settings);
}

void ConversionSession::setStandardColours(StandardColours colours) {
    m_formatSettings.standardColours = std::move(colours);
}

Position ConversionSession::firstEditable(RecordKind kind) {
    return FirstEditable(kind);
}

std::optional<Position> ConversionSession::findListed(RecordKind kind,
                                                      std::string_view name) const {
    return FindListed(m_store, kind, name, m_rules);
}

Position ConversionSession::sortedPosition(RecordKind kind, std::string_view name) const {
    return SortedPosition(m_store, kind, name, m_rules);
}

std::optional<ConversionSession::Saved> ConversionSession::saveTemplate(OverallTemplate overall) {
    return saveRecord(m_store, RecordKind::OverallTemplate, std::move(overall), m_rules,
                      &SettingsStore::InsertOverallTemplate,
                      &SettingsStore::OverwriteOverallTemplate);
}

std::optional<ConversionSession::Saved> ConversionSession::saveEndingSet(EndingSet set) {
    return saveRecord(m_store, RecordKind::EndingSet, std::move(set), m_rules,
                      &SettingsStore::InsertEndingSet, &SettingsStore::OverwriteEndingSet);
}

std::optional<ConversionSession::Saved> ConversionSession::saveReplacementSet(ReplacementSet set) {
    return saveRecord(m_store, RecordKind::ReplacementSet, std::move(set), m_rules,
                      &SettingsStore::InsertReplacementSet,
                      &SettingsStore::OverwriteReplacementSet);
}

bool ConversionSession::deleteRecord(RecordKind kind, Position position) {
    return DeleteRecord(m_store, kind, position);
}

std::optional<std::string> ConversionSession::buildPage(const std::string& text,
                                                        std::time_t moment) const {
    const std::unique_ptr<Converter> converter = converterFor(currentFormat(), *this, text, moment);
    if (!converter)
        return std::nullopt;
    return converter->buildPage();
}

bool ConversionSession::streamPage(const std::string& text, std::time_t moment,
                                   const PageSink& sink) const {
    const std::unique_ptr<Converter> converter = converterFor(currentFormat(), *this, text, moment);
    return converter && converter->streamPage(sink);
}

} // namespace mireto
