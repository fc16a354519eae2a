// Replacing a file's contents all at once: readers see the old file or the new one,
// never a mix, and a failure part-way leaves the old file as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace mireto {

struct FileWriteResult {
    bool ok = false;
    std::string error;   // what went wrong, in English, for a log or the command line
    int errorNumber = 0; // the system's error number, for a message in the user's words
};

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and
// renames it over `target`. An existing target whose owner-write permission is off
// is treated as write-protected and left alone. A link at `target` is replaced, not
// followed. The new file keeps the permissions of the file it replaces (the usual ones
// under the umask otherwise).
FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Test seam: called after the temporary file is complete and before the rename. A
// hook returning false makes the write fail at that point, as a crash would.
void setAtomicWriteHookForTesting(std::function<bool(const std::filesystem::path& temp)> hook);

} // namespace mireto
