// Replacing a file's contents all at once: readers see the old file or the new one,
// never a mix, and a failure part-way leaves the old file as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace mireto {

// The step at which a write failed, for a message in the user's own words.
enum class FileWriteStep {
    None,            // it did not fail
    Protected,       // the existing file is write-protected
    CreateTemporary, // nothing could be made in the folder
    Write,           // the new contents could not be written in full
    Rename,          // the new file could not take the old one's place
};

struct FileWriteResult {
    bool ok = false;
    std::string error; // what went wrong, for a message; empty on success
    FileWriteStep step = FileWriteStep::None;
    int errorNumber = 0; // the system's errno for it
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
