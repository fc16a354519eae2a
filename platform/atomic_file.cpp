#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace mireto {

namespace {

std::function<bool(const std::filesystem::path&)>& beforeRenameHook() {
    static std::function<bool(const std::filesystem::path&)> hook;
    return hook;
}

FileWriteResult failure(const std::filesystem::path& target, FileWriteStep step, const char* what,
                        int error) {
    return {false, target.string() + ": " + what + ": " + std::strerror(error), step, error, {}};
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// How the file that takes the target's place is made.
struct NewFile {
    mode_t mode;
    FlushToDisk flush;
    std::optional<std::pair<uid_t, gid_t>> owner; // given to it when set
};

struct Replaced : FileWriteResult {
    // No new file could be made beside the target, or given its owner: the target is as
    // it was, and writing it in place may still work.
    bool newFileRefused = false;
};

Replaced refused(FileWriteResult failed) {
    Replaced result{std::move(failed)};
    result.newFileRefused = true;
    return result;
}

// Writes `bytes` to a hidden file beside `target` and renames it over the target.
Replaced replaceWithNewFile(const std::filesystem::path& target, std::string_view bytes,
                            const NewFile& file) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    // Hidden, beside the target, so the rename stays within one file system.
    std::string hiddenName = target.filename().string();
    hiddenName.insert(0, 1, '.');
    hiddenName.append(".XXXXXX");
    std::string pattern = (folder / hiddenName).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return refused(failure(target, FileWriteStep::CreateTemporary,
                               "cannot create a temporary file", errno));
    const std::filesystem::path temp = pattern;

    auto abandon = [&](const char* what) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return failure(target, FileWriteStep::Write, what, error);
    };
    if (file.owner && ::fchown(fd, file.owner->first, file.owner->second) != 0)
        return refused(abandon("cannot give the new file the old one's owner"));
    if (::fchmod(fd, file.mode) != 0)
        return {abandon("cannot set permissions")};
    if (!writeAll(fd, bytes))
        return {abandon("cannot write")};
    if (file.flush == FlushToDisk::Yes && ::fsync(fd) != 0)
        return {abandon("cannot flush to disk")};
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return {failure(target, FileWriteStep::Write, "cannot write", error)};
    }
    if (beforeRenameHook() && !beforeRenameHook()(temp)) {
        ::unlink(temp.c_str());
        return {failure(target, FileWriteStep::Write, "interrupted", EIO)};
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return {failure(target, FileWriteStep::Rename, "cannot rename into place", error)};
    }
    // Make the rename itself durable.
    if (file.flush == FlushToDisk::Yes) {
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    Replaced done;
    done.ok = true;
    return done;
}

// The file a chain of symbolic links ends at (which need not exist).
int followLinks(const std::filesystem::path& start, std::filesystem::path& real) {
    real = start;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::symlink_status(real, error);
        if (status.type() != std::filesystem::file_type::symlink)
            return 0;
        const std::filesystem::path next = std::filesystem::read_symlink(real, error);
        if (error)
            return error.value();
        real = next.is_absolute() ? next : real.parent_path() / next;
    }
    return ELOOP;
}

// Writes a complete copy of `bytes` into `folder`, flushed to disk; empty on failure.
std::filesystem::path safeCopy(const std::filesystem::path& folder, const std::string& name,
                               std::string_view bytes, int& error) {
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    std::string pattern = (folder / (name + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error = errno;
        return {};
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    error = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(pattern.c_str());
        return {};
    }
    return pattern;
}

FileWriteResult rewriteInPlace(const std::filesystem::path& real, std::string_view bytes,
                               const std::filesystem::path& spareFolder) {
    int error = 0;
    const std::filesystem::path copy =
        safeCopy(spareFolder.empty() ? std::filesystem::temp_directory_path() : spareFolder,
                 real.filename().string(), bytes, error);
    if (copy.empty())
        return failure(real, FileWriteStep::CreateTemporary,
                       "cannot make a safe copy before writing in place", error);

    auto keepCopy = [&](const char* what) {
        FileWriteResult result = failure(real, FileWriteStep::Write, what, errno);
        result.error += " (the new contents are in " + copy.string() + ")";
        result.spareCopy = copy;
        return result;
    };
    const int fd = ::open(real.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return keepCopy("cannot open for writing");
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return keepCopy("not a regular file");
    }
    // Over the old contents, then cut to length: the file never gets shorter than both.
    const bool written = writeAll(fd, bytes) &&
                         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        if (!written)
            errno = writeError;
        return keepCopy("cannot write in place");
    }
    ::unlink(copy.c_str());
    return {true, {}, FileWriteStep::None, 0, {}};
}

} // namespace

void setAtomicWriteHookForTesting(std::function<bool(const std::filesystem::path&)> hook) {
    beforeRenameHook() = std::move(hook);
}

FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    FlushToDisk flush) {
    // A new file gets the usual permissions under the process's umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    NewFile file{0666 & ~mask, flush, std::nullopt};
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if ((existing.st_mode & S_IWUSR) == 0)
            return failure(target, FileWriteStep::Protected, "cannot replace", EACCES);
        file.mode = existing.st_mode & 0777;
    }
    return replaceWithNewFile(target, bytes, file);
}

FileWriteResult saveFileKeepingLinks(const std::filesystem::path& target, std::string_view bytes,
                                     const std::filesystem::path& spareFolder) {
    std::filesystem::path real;
    if (const int error = followLinks(target, real); error != 0)
        return failure(target, FileWriteStep::Write, "cannot follow the link", error);
    struct stat existing {};
    if (::lstat(real.c_str(), &existing) != 0) {
        if (errno != ENOENT)
            return failure(real, FileWriteStep::Write, "cannot look at the file", errno);
        return writeFileAtomically(real, bytes);
    }
    if (!S_ISREG(existing.st_mode))
        return failure(real, FileWriteStep::Write, "not a regular file",
                       S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);
    if ((existing.st_mode & S_IWUSR) == 0)
        return failure(real, FileWriteStep::Protected, "cannot replace", EACCES);

    if (existing.st_nlink == 1) {
        // Another user's file: the new one can be theirs only if the system lets us.
        const bool ours = existing.st_uid == ::geteuid() && existing.st_gid == ::getegid();
        const std::optional<std::pair<uid_t, gid_t>> owner =
            ours ? std::nullopt : std::optional(std::pair(existing.st_uid, existing.st_gid));
        Replaced replaced = replaceWithNewFile(
            real, bytes, NewFile{existing.st_mode & 0777, FlushToDisk::Yes, owner});
        if (replaced.ok || !replaced.newFileRefused)
            return replaced;
    }
    return rewriteInPlace(real, bytes, spareFolder);
}

} // namespace mireto
