// Mireto.ini: the page settings, every template, and the selections current at exit.
// Read once when the editor starts, rewritten whole once when it closes.
#pragma once

#include "platform/atomic_file.h"
#include "settings/format_settings.h"
#include "settings/line_reader.h"
#include "settings/settings_store.h"

#include <cstddef>
#include <filesystem>
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

// The largest settings file read: far above any real one (a thousand sets of each kind,
// ten rules a set, take 0.3 MB) and small enough to read at once.
inline constexpr std::size_t kMaxSettingsFileBytes = 16 * 1024 * 1024;

// What the lists read from a file may take in memory: 16 bytes for each byte of the
// file, and 1 MiB besides. A file the program wrote needs at most 11 (an empty field of
// three bytes becomes a 32-byte string); only a file padded with thousands of empty or
// truncated lines, each an entry of empty strings, goes past it.
constexpr std::size_t settingsMemoryAllowance(std::size_t fileBytes) {
    return 16 * fileBytes + (std::size_t{1} << 20);
}

enum class StartupOutcome {
    Loaded,
    FileMissing,    // nothing at the path
    NotAFile,       // a folder, a FIFO, a device
    NoPermission,   // the file may not be read by this user
    ReadFailed,     // a read error
    LinkLoop,       // symbolic links that lead round in a circle, to no file
    TooLarge,       // over kMaxSettingsFileBytes
    TooManyEntries, // lists over settingsMemoryAllowance
};

// Something is there that could not be read. Writing the file would replace it, so
// the caller keeps it aside first.
constexpr bool isUnreadable(StartupOutcome outcome) {
    return outcome != StartupOutcome::Loaded && outcome != StartupOutcome::FileMissing;
}

// Reads a whole file's sections into the page settings and the store, as start-up
// does before it takes the current slots. False, with the two partly filled, when the
// lists would take more memory than settingsMemoryAllowance gives the bytes.
bool ReadSettingsFile(std::string_view bytes, FormatSettings& settings, SettingsStore& store);

// The store as start-up leaves it without a file: the none sets at position 0 and the
// format names.
void StartWithDefaults(SettingsStore& store);

// The start-up sequence over the bytes of a settings file that was read: fills the
// store, the page settings and the current selections from them, puts the none sets
// at position 0 and builds the format names. TooManyEntries, with the defaults, when
// the lists would take more memory than settingsMemoryAllowance gives the bytes.
StartupOutcome LoadSettingsFromBytes(std::string_view bytes, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current);

// The start-up sequence: fills the store, the page settings and the current
// selections from the file, puts the none sets at position 0 and builds the format
// names. Unless the outcome is Loaded, the defaults stay in force and the caller
// shows its message.
StartupOutcome LoadSettingsAtStartup(const std::filesystem::path& path, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current);

// The bytes the shutdown sequence writes: the page settings, then each list with the
// current selections in its first place (each section's first line), where the ending
// and replacement lists hold their none sets. The store is not changed.
std::string SettingsFileBytes(const SettingsStore& store, const FormatSettings& settings,
                              const CurrentSelection& current);

// The shutdown sequence: those bytes replace the file in one step. On failure the old
// file is left as it was and the result says why.
FileWriteResult SaveSettingsAtShutdown(const std::filesystem::path& path,
                                       const SettingsStore& store, const FormatSettings& settings,
                                       const CurrentSelection& current);

} // namespace mireto
