// The one part of the session that reads a file: builds without file access leave it out.
#include "convert/conversion_session.h"

namespace mireto {

StartupOutcome ConversionSession::startFromFile(const std::filesystem::path& path) {
    SettingsStore store;
    FormatSettings settings;
    CurrentSelection current;
    const StartupOutcome outcome = LoadSettingsAtStartup(path, store, settings, current);
    m_store = std::move(store);
    m_formatSettings = std::move(settings);
    m_current = std::move(current);
    return outcome;
}

} // namespace mireto
