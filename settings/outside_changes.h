// Mireto.ini changed by another program while the editor runs (an import in another
// tool, a sync client, a hand edit). The editor remembers what the file held when it
// last read or wrote it; before it writes, a file that holds something else is not
// overwritten silently: the records only the other version has are taken in, as an
// import takes them (a name the editor has keeps the editor's record), and the other
// version itself is kept aside whole, so that nothing either side wrote is lost.
#pragma once

#include "settings/template_exchange.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

class SettingsFileState {
public:
    // After the editor read `path` at start-up: what is there now (nothing, when absent).
    void rememberFile(const std::filesystem::path& path);
    // After the editor wrote `bytes` to it.
    void remember(std::string_view bytes);

    // The file's bytes when they are not what was remembered: another program wrote it.
    // Nothing when it holds what was remembered, when it is gone, or when it cannot be
    // read (the write will say so).
    std::optional<std::string> changedBytes(const std::filesystem::path& path) const;

private:
    bool m_present = false;
    std::uint64_t m_size = 0;
    std::uint64_t m_fingerprint = 0;
};

// Adds to `store` the named records of `otherFile` (a settings file's bytes) whose names
// `store` does not hold, as an import adds them; a name both hold keeps the store's
// record. What was added, in the order stored; nothing for bytes that are no settings
// file.
std::vector<ImportedRecord> TakeInOtherRecords(SettingsStore& store, std::string_view otherFile,
                                               const NameRules& rules = {});

} // namespace mireto
