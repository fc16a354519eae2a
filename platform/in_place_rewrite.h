// Rewriting a file in place, for the files that cannot be replaced by a new one (one
// with other hard links, one in a folder that takes no new file), so that no failure
// and no kill ever leaves a file that is neither the old one nor the new one.
//
// Before the file is touched, its old contents are copied whole into the spare folder
// and read back, and a journal beside the copy names the file, the copy and what the
// old and new contents are; the room the new contents need is reserved. On a failure
// the old bytes are put back. A journal left by a kill is found at the next start and
// the file restored from its copy (or, when the new contents had arrived whole, left
// as it is). The copies the spare folder keeps, and any leftovers no running program
// holds, stay within kKeptCopies.
#pragma once

#include "platform/atomic_file.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace mireto {

// Rewrites `real`, a regular file, with `bytes`. The new contents are first kept whole
// in `spareFolder`; that copy goes once the file is whole, and stays (the result names
// it) when the rewrite fails. A failure after the old bytes were touched puts them
// back; only when even that fails does the result name the copy of the old contents
// (keptOriginal), which the next start puts back.
FileWriteResult rewriteInPlace(const std::filesystem::path& real, std::string_view bytes,
                               const std::filesystem::path& spareFolder);

// How many copies the spare folder keeps at most: those of failed writes, newest first.
inline constexpr std::size_t kKeptCopies = 20;

struct RecoveredRewrite {
    enum class Outcome {
        Restored,      // the old contents are back
        Finished,      // the new contents had arrived whole; nothing to do
        NotRestorable, // the copy or the file could not be used: both left as they are
    };
    std::filesystem::path file;
    Outcome outcome = Outcome::Restored;
    std::filesystem::path copy; // NotRestorable: the old contents, still kept
};

// For a start: finishes every rewrite that a kill or a crash left unfinished in
// `spareFolder` (not one a running program is still doing), then removes leftovers no
// running program holds and the oldest copies beyond kKeptCopies.
std::vector<RecoveredRewrite> recoverUnfinishedRewrites(const std::filesystem::path& spareFolder);

// The steps of a rewrite, in order, for the test seam.
enum class RewriteStep { NewCopy, OldCopy, Journal, Reserve, Write, WriteMiddle, Cut, Flush, Done };

// Test seam: called before each step; a hook returning false makes that step fail as
// an error would (a test may also end the process there, as a kill would).
void setRewriteHookForTesting(std::function<bool(RewriteStep)> hook);

} // namespace mireto
