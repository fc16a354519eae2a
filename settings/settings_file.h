// Mireto.ini: the page settings, every template, and the selections current at exit.
// Read once when the editor starts, rewritten whole once when it closes.
#pragma once

#include "platform/atomic_file.h"
#include "settings/format_settings.h"
#include "settings/line_reader.h"
#include "settings/settings_store.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mireto {

// The view's current selections, carried whole in each section's first line.
struct CurrentSelection {
    OverallTemplate overallTemplate;
    EndingSet endingSet;
    ReplacementSet replacementSet;

    friend bool operator==(const CurrentSelection&, const CurrentSelection&) = default;
};

// The format-settings section, up to and including its "----".
void ReadFormatSettings(LineReader& lines, FormatSettings& settings);
void WriteFormatSettings(std::string& out, const FormatSettings& settings);

enum class StartupOutcome { Loaded, FileMissing };

// The whole of a settings file, read as start-up reads Mireto.ini; nullopt when it
// cannot be read (nothing there, a folder, a read error).
std::optional<std::string> ReadSettingsFileBytes(const std::filesystem::path& path);

// Every section of a settings file's bytes into the page settings and the store, as
// start-up reads them before it takes the current slots: the first entry of each list
// is its section's current slot.
void ReadSettingsFile(std::string_view bytes, FormatSettings& settings, SettingsStore& store);

// The start-up sequence: fills the store, the page settings and the current
// selections from the file, puts the none sets at position 0 and builds the format
// names. On FileMissing the caller shows its message; defaults stay in force.
StartupOutcome LoadSettingsAtStartup(const std::filesystem::path& path, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current);

// The bytes the shutdown sequence writes for a store that holds its none sets at
// position 0 of the ending and replacement lists: the page settings, then each list
// with the current selections in its first place. The store is not changed.
std::string SettingsFileBytes(const SettingsStore& store, const FormatSettings& settings,
                              const CurrentSelection& current);

// The shutdown sequence: takes the none sets out of the store, puts the current
// selections at position 0 of each list (each section's first line) and replaces the
// file in one step. On failure the old file is left as it was and the result says
// why. Either way the store is left holding what was to be written.
FileWriteResult SaveSettingsAtShutdown(const std::filesystem::path& path, SettingsStore& store,
                                       const FormatSettings& settings,
                                       const CurrentSelection& current);

} // namespace mireto
