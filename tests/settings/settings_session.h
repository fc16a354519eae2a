// What the editor holds between start-up and shutdown, for the settings-file tests.
#pragma once

#include "settings/settings_file.h"

namespace mireto::test {

struct Session {
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;

    StartupOutcome start(const std::filesystem::path& path) {
        return LoadSettingsAtStartup(path, store, settings, current);
    }
    FileWriteResult close(const std::filesystem::path& path) {
        return SaveSettingsAtShutdown(path, store, settings, current);
    }
};

} // namespace mireto::test
