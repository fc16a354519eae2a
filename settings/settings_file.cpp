#include "settings/settings_file.h"

#include <fstream>
#include <iterator>
#include <optional>

namespace mireto {

std::optional<std::string> ReadSettingsFileBytes(const std::filesystem::path& path) {
    // A folder opens for reading on some systems and then reads as empty.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A read that failed part-way is no settings file: starting from half of it would
    // lose the rest at the next save.
    if (in.bad())
        return std::nullopt;
    return bytes;
}

void ReadSettingsFile(std::string_view bytes, FormatSettings& settings, SettingsStore& store) {
    LineReader lines(bytes);
    ReadFormatSettings(lines, settings);
    store.Load(lines);
}

StartupOutcome LoadSettingsAtStartup(const std::filesystem::path& path, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current) {
    const std::optional<std::string> bytes = ReadSettingsFileBytes(path);
    if (!bytes) {
        store.InsertEndingSet(noneEndingSet(), 0);
        store.InsertReplacementSet(noneReplacementSet(), 0);
        store.BuildFormatNames();
        return StartupOutcome::FileMissing;
    }

    ReadSettingsFile(*bytes, settings, store);

    // Each section's first line is the selection that was current at exit.
    current.replacementSet = store.GetReplacementSet(0);
    current.endingSet = store.GetEndingSet(0);
    current.overallTemplate = store.GetOverallTemplate(0);

    // In the lists, the built-in none sets take the current slots' places and the
    // current template leaves the list.
    if (store.endingSetCount() == 0)
        store.InsertEndingSet(noneEndingSet(), 0);
    else
        store.OverwriteEndingSet(noneEndingSet(), 0);
    store.DeleteOverallTemplate(0);
    if (store.replacementSetCount() == 0)
        store.InsertReplacementSet(noneReplacementSet(), 0);
    else
        store.OverwriteReplacementSet(noneReplacementSet(), 0);

    store.BuildFormatNames();
    return StartupOutcome::Loaded;
}

namespace {

// The none sets leave the lists, and the current selections take the first places.
std::string writeWithCurrentFirst(SettingsStore& store, const FormatSettings& settings,
                                  const CurrentSelection& current) {
    store.DeleteEndingSet(0);
    store.DeleteReplacementSet(0);

    store.InsertEndingSet(current.endingSet, 0);
    store.InsertOverallTemplate(current.overallTemplate, 0);
    store.InsertReplacementSet(current.replacementSet, 0);

    std::string bytes;
    WriteFormatSettings(bytes, settings);
    store.Save(bytes);
    return bytes;
}

} // namespace

std::string SettingsFileBytes(const SettingsStore& store, const FormatSettings& settings,
                              const CurrentSelection& current) {
    SettingsStore written = store;
    return writeWithCurrentFirst(written, settings, current);
}

FileWriteResult SaveSettingsAtShutdown(const std::filesystem::path& path, SettingsStore& store,
                                       const FormatSettings& settings,
                                       const CurrentSelection& current) {
    return writeFileAtomically(path, writeWithCurrentFirst(store, settings, current));
}

} // namespace mireto
