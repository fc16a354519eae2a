#include "settings/settings_file.h"

#include "platform/regular_file.h"

#include <cerrno>

namespace mireto {

namespace {

StartupOutcome outcomeOf(const FileReadResult& file) {
    switch (file.status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::Missing:
        return StartupOutcome::FileMissing;
    case ReadStatus::NotAFile:
        return StartupOutcome::NotAFile;
    case ReadStatus::TooLarge:
        return StartupOutcome::TooLarge;
    case ReadStatus::Failed:
        if (file.error == ELOOP)
            return StartupOutcome::LinkLoop;
        return file.error == EACCES || file.error == EPERM ? StartupOutcome::NoPermission
                                                           : StartupOutcome::ReadFailed;
    }
    return StartupOutcome::Loaded;
}

void startWithDefaults(SettingsStore& store) {
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.BuildFormatNames();
}

} // namespace

bool ReadSettingsFile(std::string_view bytes, FormatSettings& settings, SettingsStore& store) {
    LineReader lines(bytes);
    ReadFormatSettings(lines, settings);
    return store.Load(lines, settingsMemoryAllowance(bytes.size()));
}

StartupOutcome LoadSettingsAtStartup(const std::filesystem::path& path, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current) {
    const FileReadResult file = readRegularFile(path, kMaxSettingsFileBytes);
    StartupOutcome outcome = outcomeOf(file);
    if (outcome == StartupOutcome::Loaded) {
        // Read into fresh records, so that a file refused part-way changes nothing.
        SettingsStore read;
        FormatSettings readSettings = settings;
        if (ReadSettingsFile(file.bytes, readSettings, read)) {
            store = std::move(read);
            settings = std::move(readSettings);
        } else {
            outcome = StartupOutcome::TooManyEntries;
        }
    }
    if (outcome != StartupOutcome::Loaded) {
        startWithDefaults(store);
        return outcome;
    }

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

FileWriteResult SaveSettingsAtShutdown(const std::filesystem::path& path,
                                       const SettingsStore& store, const FormatSettings& settings,
                                       const CurrentSelection& current) {
    return writeFileAtomically(path, SettingsFileBytes(store, settings, current));
}

} // namespace mireto
