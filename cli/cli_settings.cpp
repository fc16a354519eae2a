#include "cli/cli_settings.h"

#include "cli/sjis_to_utf8.h"
#include "cli/utf8_to_sjis.h"
#include "platform/app_paths.h"

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

// The editor's lists end at the first entry without a name.
void listNames(std::string& out, const char* heading, const std::vector<std::string>& names) {
    out += heading;
    out += ":\n";
    for (const std::string& name : names)
        out += "  " + sjisToUtf8(name) + "\n";
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
    case StartupOutcome::TooLarge:
        return "larger than " + std::to_string(kMaxSettingsFileBytes >> 20) + " MiB";
    case StartupOutcome::TooManyEntries:
        return "more entries than a file of its size can hold";
    }
    return {};
}

} // namespace

std::string loadCliSettings(const std::optional<std::string>& path, ConversionSession& session) {
    const std::filesystem::path file =
        path ? std::filesystem::path(*path) : appPaths().fileToRead();
    const StartupOutcome outcome = session.startFromFile(file);
    if (outcome == StartupOutcome::Loaded)
        return {};
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
