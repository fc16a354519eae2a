// Mireto.ini: the page settings, every template, and the selections current at exit.
// Read once when the editor starts, rewritten whole once when it closes.
#pragma once

#include "platform/atomic_file.h"
#include "settings/format_settings.h"
#include "settings/line_reader.h"
#include "settings/settings_store.h"

#include <filesystem>
#include <string>

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

// The start-up sequence: fills the store, the page settings and the current
// selections from the file, puts the none sets at position 0 and builds the format
// names. On FileMissing the caller shows its message; defaults stay in force.
StartupOutcome LoadSettingsAtStartup(const std::filesystem::path& path, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current);

// The shutdown sequence: takes the none sets out of the store, puts the current
// selections at position 0 of each list (each section's first line) and replaces the
// file in one step. On failure the old file is left as it was and the result says
// why. Either way the store is left holding what was to be written.
FileWriteResult SaveSettingsAtShutdown(const std::filesystem::path& path, SettingsStore& store,
                                       const FormatSettings& settings,
                                       const CurrentSelection& current);

} // namespace mireto
