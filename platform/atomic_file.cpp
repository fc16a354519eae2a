#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mireto {

namespace {

std::function<bool(const std::filesystem::path&)>& beforeRenameHook() {
    static std::function<bool(const std::filesystem::path&)> hook;
    return hook;
}

FileWriteResult failure(const std::filesystem::path& target, FileWriteStep step, const char* what,
                        int error) {
    return {false, target.string() + ": " + what + ": " + std::strerror(error), step, error};
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

} // namespace

void setAtomicWriteHookForTesting(std::function<bool(const std::filesystem::path&)> hook) {
    beforeRenameHook() = std::move(hook);
}

FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    // A new file gets the usual permissions under the process's umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_t mode = 0666 & ~mask;
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if ((existing.st_mode & S_IWUSR) == 0)
            return failure(target, FileWriteStep::Protected, "cannot replace", EACCES);
        mode = existing.st_mode & 0777;
    }

    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    // Hidden, beside the target, so the rename stays within one file system.
    std::string hiddenName = target.filename().string();
    hiddenName.insert(0, 1, '.');
    hiddenName.append(".XXXXXX");
    std::string pattern = (folder / hiddenName).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return failure(target, FileWriteStep::CreateTemporary, "cannot create a temporary file",
                       errno);
    const std::filesystem::path temp = pattern;

    auto abandon = [&](const char* what) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return failure(target, FileWriteStep::Write, what, error);
    };
    if (::fchmod(fd, mode) != 0)
        return abandon("cannot set permissions");
    if (!writeAll(fd, bytes))
        return abandon("cannot write");
    if (::fsync(fd) != 0)
        return abandon("cannot flush to disk");
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return failure(target, FileWriteStep::Write, "cannot write", error);
    }
    if (beforeRenameHook() && !beforeRenameHook()(temp)) {
        ::unlink(temp.c_str());
        return failure(target, FileWriteStep::Write, "interrupted", EIO);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return failure(target, FileWriteStep::Rename, "cannot rename into place", error);
    }
    // Make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {true, {}};
}

} // namespace mireto
