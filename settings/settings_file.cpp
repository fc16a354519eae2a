#include "settings/settings_file.h"

namespace mireto {

bool ReadSettingsFile(std::string_view bytes, FormatSettings& settings, SettingsStore& store) {
    LineReader lines(bytes);
    ReadFormatSettings(lines, settings);
    return store.Load(lines, settingsMemoryAllowance(bytes.size()));
}

void StartWithDefaults(SettingsStore& store) {
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.BuildFormatNames();
}

StartupOutcome LoadSettingsFromBytes(std::string_view bytes, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current) {
    // Read into fresh records, so that a file refused part-way changes nothing.
    SettingsStore read;
    FormatSettings readSettings = settings;
    if (!ReadSettingsFile(bytes, readSettings, read)) {
        StartWithDefaults(store);
        return StartupOutcome::TooManyEntries;
    }
    store = std::move(read);
    settings = std::move(readSettings);

    // Each section's first line is the selection that was current at exit. In the
    // lists, the built-in none sets take the current slots' places and the current
    // template leaves the list.
    current.endingSet = store.GetEndingSet(0);
    current.overallTemplate = store.GetOverallTemplate(0);
    if (store.endingSetCount() == 0)
        store.InsertEndingSet(noneEndingSet(), 0);
    else
        store.OverwriteEndingSet(noneEndingSet(), 0);
    store.DeleteOverallTemplate(0);
    if (store.replacementSetCount() == 0) {
        current.replacementSet = ReplacementSet{};
        store.InsertReplacementSet(noneReplacementSet(), 0);
    } else {
        current.replacementSet = store.ExchangeReplacementSet(noneReplacementSet(), 0);
    }

    store.BuildFormatNames();
    return StartupOutcome::Loaded;
}

std::string SettingsFileBytes(const SettingsStore& store, const FormatSettings& settings,
                              const CurrentSelection& current) {
    std::string bytes;
    WriteFormatSettings(bytes, settings);
    store.SaveWithCurrent(bytes, current.endingSet, current.replacementSet,
                          current.overallTemplate);
    return bytes;
}

} // namespace mireto
