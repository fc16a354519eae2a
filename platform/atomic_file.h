// Replacing a file's contents all at once: readers see the old file or the new one,
// never a mix, and a failure part-way leaves the old file as it was. And saving a file
// the user chose, which keeps what the user made of it: its links, mode and owner.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>

namespace mireto {

// The step at which a write failed, for a message in the user's own words.
enum class FileWriteStep {
    None,            // it did not fail
    Protected,       // the existing file is write-protected
    CreateTemporary, // nothing could be made in the folder
    Write,           // the new contents could not be written in full
    Rename,          // the new file could not take the old one's place
};

// Whether a replacement waits for its bytes to reach the disk. Replacing in one step
// already means a failure leaves the old file or the new one, never a mix; flushing
// also keeps the new one through a power cut, which is worth its wait for what cannot
// be made again.
enum class FlushToDisk { Yes, No };

struct FileWriteResult {
    bool ok = false;
    std::string error; // what went wrong, in English, for a log or the command line
    FileWriteStep step = FileWriteStep::None;
    int errorNumber = 0; // the system's error number, for a message in the user's words
    // After a failed write in place: the complete copy of the new contents, kept.
    std::filesystem::path spareCopy;
    // After a failed write in place whose old bytes could not be put back either: the
    // complete copy of the old contents, which the next start puts back.
    std::filesystem::path keptOriginal{};
    // The file written or tried, a link followed: what a message names.
    std::filesystem::path file{};
};

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk (unless
// told not to) and renames it over `target`. An existing target whose owner-write
// permission is off is treated as write-protected and left alone. A link at `target`
// is replaced, not followed. The new file keeps the permissions of the file it
// replaces (the usual ones under the umask otherwise).
FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    FlushToDisk flush = FlushToDisk::Yes);

// Saving a file the user chose. A symbolic link is followed to the file it names (and a
// link to nothing makes that file). The file is replaced in one step in its own folder
// with its permissions and, where the system permits, its owner and group. A file with
// other hard links, one whose owner or group the new file could not be given, or one in
// a folder that takes no new file is instead rewritten in place (platform/
// in_place_rewrite.h), with copies of the new and the old contents in `spareFolder`.
// What is not a regular file, and a file whose owner-write permission is off, is left
// alone.
FileWriteResult saveFileKeepingLinks(const std::filesystem::path& target, std::string_view bytes,
                                     const std::filesystem::path& spareFolder);

// writeFileAtomically with the new contents written a piece at a time: readers see the
// old file until commit() puts the whole new one in its place. Once anything fails,
// and when it goes without a commit, the temporary file goes and the old file stays as
// it was.
class AtomicFileWriter {
public:
    // Makes the temporary file beside `target`; what fails here comes back from commit().
    explicit AtomicFileWriter(const std::filesystem::path& target,
                              FlushToDisk flush = FlushToDisk::Yes);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Appends `bytes` to the new contents; false once anything failed.
    bool append(std::string_view bytes);
    // Puts the new file in the target's place, or says what failed first. The writer
    // takes nothing more after it.
    FileWriteResult commit();

private:
    friend FileWriteResult saveFileKeepingLinks(const std::filesystem::path& target,
                                                std::string_view bytes,
                                                const std::filesystem::path& spareFolder);
    // How the new file is made.
    struct NewFile {
        mode_t mode;
        std::optional<std::pair<uid_t, gid_t>> owner; // given to it when set
    };
    AtomicFileWriter(const std::filesystem::path& target, FlushToDisk flush, const NewFile& file);
    void open(const NewFile& file);
    // Records the failure at `step` (with errno) and removes the temporary file.
    void fail(FileWriteStep step, const char* what);

    std::filesystem::path m_target;
    FlushToDisk m_flush;
    std::filesystem::path m_temp; // empty once it is gone or in place
    int m_fd = -1;
    FileWriteResult m_result{true, {}, FileWriteStep::None, 0, {}};
    // No new file could be made beside the target, or given its owner: the target is as
    // it was, and writing it in place may still work.
    bool m_newFileRefused = false;
};

// Removes the temporary files a writer killed part-way left beside `target`: those of
// its hidden pattern that no running writer holds (each holds a lock on its own) and
// that are older than a minute. Returns how many went.
std::size_t removeStaleTemporaries(const std::filesystem::path& target);

// Test seam: called after the temporary file is complete and before the rename. A
// hook returning false makes the write fail at that point, as a crash would.
void setAtomicWriteHookForTesting(std::function<bool(const std::filesystem::path& temp)> hook);

} // namespace mireto
