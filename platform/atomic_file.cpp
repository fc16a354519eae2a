#include "platform/atomic_file.h"

#include "platform/in_place_rewrite.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/file.h>
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

std::filesystem::path folderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
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

// Whether `name` is one a writer for `target` makes: "." + its name + "." + six
// letters or digits.
bool isTemporaryName(const std::string& name, const std::string& targetName) {
    const std::string prefix = "." + targetName + ".";
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

void setAtomicWriteHookForTesting(std::function<bool(const std::filesystem::path&)> hook) {
    beforeRenameHook() = std::move(hook);
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target, FlushToDisk flush)
    : m_target(target), m_flush(flush) {
    // A new file gets the usual permissions under the process's umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    NewFile file{0666 & ~mask, std::nullopt};
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if ((existing.st_mode & S_IWUSR) == 0) {
            m_result = failure(target, FileWriteStep::Protected, "cannot replace", EACCES);
            return;
        }
        file.mode = existing.st_mode & 0777;
    }
    open(file);
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target, FlushToDisk flush,
                                   const NewFile& file)
    : m_target(target), m_flush(flush) {
    open(file);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
}

void AtomicFileWriter::open(const NewFile& file) {
    // Hidden, beside the target, so the rename stays within one file system.
    std::string hiddenName = m_target.filename().string();
    hiddenName.insert(0, 1, '.');
    hiddenName.append(".XXXXXX");
    std::string pattern = (folderOf(m_target) / hiddenName).string();
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0) {
        m_newFileRefused = true;
        fail(FileWriteStep::CreateTemporary, "cannot create a temporary file");
        return;
    }
    m_temp = pattern;
    // Held until the descriptor closes: a start that cleans up leftovers passes it by.
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    if (file.owner && ::fchown(m_fd, file.owner->first, file.owner->second) != 0) {
        m_newFileRefused = true;
        fail(FileWriteStep::Write, "cannot give the new file the old one's owner");
    } else if (::fchmod(m_fd, file.mode) != 0) {
        fail(FileWriteStep::Write, "cannot set permissions");
    }
}

void AtomicFileWriter::fail(FileWriteStep step, const char* what) {
    m_result = failure(m_target, step, what, errno);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
}

bool AtomicFileWriter::append(std::string_view bytes) {
    if (m_fd < 0)
        return false;
    if (!writeAll(m_fd, bytes))
        fail(FileWriteStep::Write, "cannot write");
    return m_fd >= 0;
}

FileWriteResult AtomicFileWriter::commit() {
    if (m_fd < 0)
        return m_result;
    if (m_flush == FlushToDisk::Yes && ::fsync(m_fd) != 0) {
        fail(FileWriteStep::Write, "cannot flush to disk");
        return m_result;
    }
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) {
        fail(FileWriteStep::Write, "cannot write");
        return m_result;
    }
    if (beforeRenameHook() && !beforeRenameHook()(m_temp)) {
        errno = EIO;
        fail(FileWriteStep::Write, "interrupted");
        return m_result;
    }
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        fail(FileWriteStep::Rename, "cannot rename into place");
        return m_result;
    }
    m_temp.clear();
    // Make the rename itself durable.
    if (m_flush == FlushToDisk::Yes) {
        const int dir = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return m_result;
}

FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    FlushToDisk flush) {
    AtomicFileWriter file(target, flush);
    file.append(bytes);
    return file.commit();
}

std::size_t removeStaleTemporaries(const std::filesystem::path& target) {
    const std::string targetName = target.filename().string();
    std::error_code error;
    std::filesystem::directory_iterator entries(folderOf(target), error);
    std::size_t removed = 0;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::path path = entries->path();
        if (!isTemporaryName(path.filename().string(), targetName))
            continue;
        std::error_code looked;
        if (!entries->is_regular_file(looked) || entries->is_symlink(looked) ||
            now - entries->last_write_time(looked) < std::chrono::minutes(1) || looked)
            continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

FileWriteResult saveFileKeepingLinks(const std::filesystem::path& target, std::string_view bytes,
                                     const std::filesystem::path& spareFolder) {
    std::filesystem::path real;
    if (const int error = followLinks(target, real); error != 0)
        return failure(target, FileWriteStep::Write, "cannot follow the link", error);
    // Whatever it comes to, the result names the file written, not the link.
    const auto save = [&]() -> FileWriteResult {
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
            AtomicFileWriter file(real, FlushToDisk::Yes,
                                  AtomicFileWriter::NewFile{existing.st_mode & 0777, owner});
            if (!file.m_newFileRefused) {
                file.append(bytes);
                return file.commit();
            }
        }
        return rewriteInPlace(real, bytes, spareFolder);
    };
    FileWriteResult result = save();
    result.file = real;
    return result;
}

} // namespace mireto
