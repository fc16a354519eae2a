// The settings file as mireto-convert uses it: read exactly as the editor reads it at
// start-up, and never written.
#pragma once

#include "cli/cli_options.h"
#include "settings/settings_file.h"

#include <optional>
#include <string>

namespace mireto::cli {

struct CliSettings {
    SettingsStore store;
    FormatSettings formatSettings;
    CurrentSelection current;
    // Said on standard error, the conversion going on: the file read is not one the
    // program writes (plain text, random bytes, a value no dialog makes). An empty file
    // asks for the defaults and gets no warning.
    std::string warning;
};

// Reads `path`, or without one the file the editor would read at start-up (its
// Mireto.ini, or the starter settings while there is none). Returns an error for a
// file that cannot be read; only a file that is not there leaves the editor's
// defaults, as it does for the editor.
std::string loadCliSettings(const std::optional<std::string>& path, CliSettings& settings);

// The sets and page style one conversion uses.
struct SettingsChoice {
    EndingSet endingSet;
    ReplacementSet replacementSet;
    std::string formatName; // Shift_JIS, as stored
    std::string error;      // a name that names nothing stored
};

// The current selections, then --template, then --ending and --replacement, each
// overriding what came before. Names on the command line are UTF-8. The current sets
// are moved out of `settings`, not copied: a set read from a file can be large.
SettingsChoice chooseFromSettings(CliSettings& settings, const CliOptions& options);

// The stored overall templates, ending sets and replacement sets by name (UTF-8),
// one a line under a heading each, as the editor's lists show them. A control
// character in a name is shown as \xNN (or \u{NN} beyond ASCII), never sent to the
// terminal as it is.
std::string listSettings(const SettingsStore& store);

} // namespace mireto::cli
