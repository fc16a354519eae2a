// The settings file on disk: start-up reads it, shutdown replaces it.
#include "platform/regular_file.h"
#include "settings/settings_file.h"

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

} // namespace

StartupOutcome LoadSettingsAtStartup(const std::filesystem::path& path, SettingsStore& store,
                                     FormatSettings& settings, CurrentSelection& current) {
    const FileReadResult file = readRegularFile(path, kMaxSettingsFileBytes);
    const StartupOutcome outcome = outcomeOf(file);
    if (outcome != StartupOutcome::Loaded) {
        StartWithDefaults(store);
        return outcome;
    }
    return LoadSettingsFromBytes(file.bytes, store, settings, current);
}

FileWriteResult SaveSettingsAtShutdown(const std::filesystem::path& path,
                                       const SettingsStore& store, const FormatSettings& settings,
                                       const CurrentSelection& current) {
    return writeFileAtomically(path, SettingsFileBytes(store, settings, current));
}

} // namespace mireto
