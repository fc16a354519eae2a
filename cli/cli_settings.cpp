#include "cli/cli_settings.h"

#include "cli/utf8_to_sjis.h"
#include "convert/sjis_codec.h"
#include "platform/app_paths.h"
#include "platform/regular_file.h"
#include "settings/settings_file_check.h"

#include <cstdio>
#include <filesystem>

namespace mireto::cli {

namespace {

// Picks the record of `kind` named `given` (UTF-8); otherwise says why there is none.
std::string pickNamed(ConversionSession& session, RecordKind kind, const std::string& given,
                      const char* what) {
    const SjisConversion name = utf8ToSjis(given);
    if (!name.ok)
        return std::string(what) + " name '" + given + "': " + name.error;
    if (!session.pickByName(kind, name.text))
        return "no " + std::string(what) + " named '" + given + "' is stored (see --list)";
    return {};
}

// `utf8` with its control characters (C0, DEL and C1) spelled out.
std::string visibleText(const std::string& utf8) {
    std::string out;
    char escape[16];
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else if (byte == 0xC2 && at + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[at + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[at + 1]) <= 0x9F) {
            std::snprintf(escape, sizeof escape, "\\u{%02X}",
                          static_cast<unsigned char>(utf8[at + 1]));
            out += escape;
            ++at;
        } else {
            out += utf8[at];
        }
    }
    return out;
}

// The editor's lists end at the first entry without a name.
void listNames(std::string& out, const char* heading, const std::vector<std::string>& names) {
    out += heading;
    out += ":\n";
    for (const std::string& name : names)
        out += "  " + visibleText(sjisToUtf8(name)) + "\n";
}

// What is wrong with `file` as a settings file, or nothing.
std::string settingsFileWarning(const std::filesystem::path& file) {
    const FileReadResult read = readRegularFile(file, kMaxSettingsFileBytes);
    // An empty file is the plain way to ask for the defaults.
    if (read.status != ReadStatus::Ok || read.bytes.empty())
        return {};
    const SettingsFileCheck check = CheckSettingsFile(read.bytes);
    std::string what;
    switch (check.fault) {
    case SettingsFileFault::None:
        return {};
    case SettingsFileFault::MissingSeparator:
        what = "it ends before its four \"----\" lines";
        break;
    case SettingsFileFault::BadLine:
        what = "line " + std::to_string(check.line) + " is not a line of a settings file";
        break;
    case SettingsFileFault::NotShiftJis:
        what = "line " + std::to_string(check.line) + " is not Shift_JIS text";
        break;
    case SettingsFileFault::ControlCharacter:
        what = "line " + std::to_string(check.line) + " holds a control character";
        break;
    case SettingsFileFault::BadValue:
        what =
            "line " + std::to_string(check.line) + " holds a page setting no settings dialog makes";
        break;
    }
    return "'" + file.string() + "' does not look like a settings file (" + what +
           "); read as far as it goes";
}

std::string unreadableReason(StartupOutcome outcome) {
    switch (outcome) {
    case StartupOutcome::Loaded:
        break;
    case StartupOutcome::FileMissing:
        return "there is no such file";
    case StartupOutcome::NotAFile:
        return "not a regular file";
    case StartupOutcome::NoPermission:
        return "no permission to read it";
    case StartupOutcome::ReadFailed:
        return "a read error";
    case StartupOutcome::LinkLoop:
        return "symbolic links that lead round in a circle, to no file";
    case StartupOutcome::TooLarge:
        return "larger than " + std::to_string(kMaxSettingsFileBytes >> 20) + " MiB";
    case StartupOutcome::TooManyEntries:
        return "more entries than a file of its size can hold";
    }
    return {};
}

} // namespace

std::string loadCliSettings(const std::optional<std::string>& path, ConversionSession& session,
                            std::string& warning) {
    const std::filesystem::path file =
        path ? std::filesystem::path(*path) : appPaths().fileToRead();
    const StartupOutcome outcome = session.startFromFile(file);
    if (outcome == StartupOutcome::Loaded) {
        // Only a file named on the command line: the editor's own is its business.
        if (path)
            warning = settingsFileWarning(file);
        return {};
    }
    // Only a file that is not there at all leaves the defaults quietly, and only beside
    // the program; the editor too reports one it cannot read.
    std::error_code error;
    const bool linkToNothing =
        outcome == StartupOutcome::FileMissing &&
        std::filesystem::is_symlink(std::filesystem::symlink_status(file, error));
    if (outcome == StartupOutcome::FileMissing && !path && !linkToNothing)
        return {};
    return "cannot read the settings file '" + file.string() + "': " +
           (linkToNothing ? std::string("a link to a file that is not there")
                          : unreadableReason(outcome));
}

std::string chooseFromSettings(ConversionSession& session, const CliOptions& options) {
    const struct {
        const std::optional<std::string>& given;
        RecordKind kind;
        const char* what;
    } picks[] = {
        {options.templateName, RecordKind::OverallTemplate, "overall template"},
        {options.endingName, RecordKind::EndingSet, "ending set"},
        {options.replacementName, RecordKind::ReplacementSet, "replacement set"},
    };
    for (const auto& pick : picks) {
        if (!pick.given)
            continue;
        if (std::string error = pickNamed(session, pick.kind, *pick.given, pick.what);
            !error.empty())
            return error;
    }
    return {};
}

std::string listSettings(const ConversionSession& session) {
    std::string out;
    listNames(out, "Overall templates", session.names(RecordKind::OverallTemplate));
    listNames(out, "Ending sets", session.names(RecordKind::EndingSet));
    listNames(out, "Replacement sets", session.names(RecordKind::ReplacementSet));
    return out;
}

} // namespace mireto::cli
