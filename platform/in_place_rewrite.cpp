#include "platform/in_place_rewrite.h"

#include "platform/fingerprint.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
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

constexpr std::string_view kJournalSuffix = ".rewrite";
constexpr std::string_view kJournalHeader = "mireto rewrite 1\n";

std::function<bool(RewriteStep)>& rewriteHook() {
    static std::function<bool(RewriteStep)> hook;
    return hook;
}

// False, errno EIO, when the test seam makes `step` fail.
bool stepAllowed(RewriteStep step) {
    if (rewriteHook() && !rewriteHook()(step)) {
        errno = EIO;
        return false;
    }
    return true;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

bool writeAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

std::optional<std::string> readAll(int fd) {
    std::string bytes;
    char buffer[1 << 16];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

std::optional<std::string> readPath(const std::filesystem::path& path) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return std::nullopt;
    return readAll(fd.get());
}

// Makes a file in `folder` named after `name` with `bytes` in it, flushed and, when
// asked, read back and compared. The descriptor stays open, locked, when `keep` is
// given. Empty, errno set, on failure.
std::filesystem::path writeCopy(const std::filesystem::path& folder, const std::string& name,
                                std::string_view bytes, bool verify, Descriptor* keep = nullptr) {
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    std::string pattern = (folder / (name + ".XXXXXX")).string();
    Descriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0)
        return {};
    ::flock(fd.get(), LOCK_EX | LOCK_NB);
    bool ok = writeAt(fd.get(), bytes, 0) && ::fsync(fd.get()) == 0;
    if (ok && verify) {
        const std::optional<std::string> back = readAll(fd.get());
        ok = back && *back == bytes;
        if (!ok)
            errno = EIO;
    }
    if (!ok) {
        const int error = errno;
        ::unlink(pattern.c_str());
        errno = error;
        return {};
    }
    if (keep)
        keep->reset(fd.get() >= 0 ? ::dup(fd.get()) : -1);
    return pattern;
}

void syncFolder(const std::filesystem::path& folder) {
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// What a journal says.
struct Journal {
    std::filesystem::path file;
    std::filesystem::path copy;
    std::uint64_t oldSize = 0;
    std::uint64_t oldPrint = 0;
    std::uint64_t newSize = 0;
    std::uint64_t newPrint = 0;
};

void appendPath(std::string& out, const std::filesystem::path& path) {
    const std::string text = path.string();
    out += std::to_string(text.size());
    out += ':';
    out += text;
    out += '\n';
}

std::string journalBytes(const Journal& journal) {
    std::string out(kJournalHeader);
    appendPath(out, journal.file);
    appendPath(out, journal.copy);
    char numbers[128];
    std::snprintf(numbers, sizeof numbers,
                  "%" PRIu64 " %016" PRIx64 " %" PRIu64 " %016" PRIx64 "\n", journal.oldSize,
                  journal.oldPrint, journal.newSize, journal.newPrint);
    out += numbers;
    return out;
}

std::optional<std::filesystem::path> readPathField(std::string_view& in) {
    const std::size_t colon = in.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 5)
        return std::nullopt;
    std::size_t length = 0;
    for (const char c : in.substr(0, colon)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    in.remove_prefix(colon + 1);
    if (in.size() < length + 1 || in[length] != '\n')
        return std::nullopt;
    std::filesystem::path path(std::string(in.substr(0, length)));
    in.remove_prefix(length + 1);
    return path;
}

std::optional<Journal> parseJournal(std::string_view in) {
    if (in.substr(0, kJournalHeader.size()) != kJournalHeader)
        return std::nullopt;
    in.remove_prefix(kJournalHeader.size());
    Journal journal;
    const std::optional<std::filesystem::path> file = readPathField(in);
    const std::optional<std::filesystem::path> copy = file ? readPathField(in) : std::nullopt;
    if (!copy || file->empty() || copy->empty())
        return std::nullopt;
    journal.file = *file;
    journal.copy = *copy;
    const std::string numbers(in);
    int used = 0;
    if (std::sscanf(numbers.c_str(), "%" SCNu64 " %" SCNx64 " %" SCNu64 " %" SCNx64 "\n%n",
                    &journal.oldSize, &journal.oldPrint, &journal.newSize, &journal.newPrint,
                    &used) != 4 ||
        static_cast<std::size_t>(used) != numbers.size())
        return std::nullopt;
    return journal;
}

// Puts `bytes` in `fd` in place of what is there.
bool putBack(int fd, std::string_view bytes) {
    return writeAt(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
           ::fsync(fd) == 0;
}

FileWriteResult failure(const std::filesystem::path& file, FileWriteStep step,
                        const std::string& what, int error) {
    FileWriteResult result{
        false, file.string() + ": " + what + ": " + std::strerror(error), step, error, {}};
    result.file = file;
    return result;
}

} // namespace

void setRewriteHookForTesting(std::function<bool(RewriteStep)> hook) {
    rewriteHook() = std::move(hook);
}

FileWriteResult rewriteInPlace(const std::filesystem::path& real, std::string_view bytes,
                               const std::filesystem::path& spareFolder) {
    const std::filesystem::path folder =
        spareFolder.empty() ? std::filesystem::temp_directory_path() : spareFolder;
    const std::string name = real.filename().string();

    // The new contents, safe before anything else.
    if (!stepAllowed(RewriteStep::NewCopy))
        return failure(real, FileWriteStep::CreateTemporary,
                       "cannot make a safe copy before writing in place", errno);
    const std::filesystem::path newCopy = writeCopy(folder, name, bytes, false);
    if (newCopy.empty())
        return failure(real, FileWriteStep::CreateTemporary,
                       "cannot make a safe copy before writing in place", errno);
    // From here on a failure keeps the new contents' copy and says where it is.
    const auto keepNewCopy = [&](FileWriteStep step, const char* what, int error) {
        FileWriteResult result = failure(real, step, what, error);
        result.error += " (the new contents are in " + newCopy.string() + ")";
        result.spareCopy = newCopy;
        return result;
    };

    const Descriptor fd(::open(real.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return keepNewCopy(FileWriteStep::Write, "cannot open for writing", errno);
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode))
        return keepNewCopy(FileWriteStep::Write, "not a regular file", EINVAL);
    const std::optional<std::string> old = readAll(fd.get());
    if (!old)
        return keepNewCopy(FileWriteStep::Write, "cannot read the old contents", errno);

    // The old contents, copied whole and read back, and the journal that names them: a
    // kill from here on is undone at the next start.
    if (!stepAllowed(RewriteStep::OldCopy))
        return keepNewCopy(FileWriteStep::CreateTemporary, "cannot copy the old contents", errno);
    const std::filesystem::path oldCopy = writeCopy(folder, name, *old, true);
    if (oldCopy.empty())
        return keepNewCopy(FileWriteStep::CreateTemporary, "cannot copy the old contents", errno);
    const Journal journal{real,         oldCopy,           old->size(), fingerprint(*old),
                          bytes.size(), fingerprint(bytes)};
    std::filesystem::path journalPath = oldCopy;
    journalPath += kJournalSuffix;
    Descriptor journalLock;
    bool journalled = stepAllowed(RewriteStep::Journal);
    if (journalled) {
        // Written under a name no start looks at, then named: a journal is whole or
        // absent. Its lock tells a start that this program is still at it.
        const std::filesystem::path written =
            writeCopy(folder, "." + journalPath.filename().string(), journalBytes(journal), true,
                      &journalLock);
        journalled = !written.empty() && ::rename(written.c_str(), journalPath.c_str()) == 0;
        if (!journalled && !written.empty())
            ::unlink(written.c_str());
        if (journalled)
            syncFolder(folder);
    }
    const auto dropJournal = [&] {
        ::unlink(journalPath.c_str());
        ::unlink(oldCopy.c_str());
        syncFolder(folder);
    };
    if (!journalled) {
        const int error = errno;
        ::unlink(oldCopy.c_str());
        return keepNewCopy(FileWriteStep::CreateTemporary, "cannot write the journal", error);
    }

    // The room first: a full disk fails here, before the old bytes are touched.
    if (bytes.size() > old->size()) {
        int error = stepAllowed(RewriteStep::Reserve) ? 0 : EIO;
        if (error == 0)
            error = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
        if (error != 0) {
            // A reservation that failed part-way may have made the file longer.
            if (::ftruncate(fd.get(), static_cast<off_t>(old->size())) == 0)
                dropJournal();
            return keepNewCopy(FileWriteStep::Write, "cannot reserve room", error);
        }
    }

    const std::size_t half = bytes.size() / 2;
    const bool written = stepAllowed(RewriteStep::Write) &&
                         writeAt(fd.get(), bytes.substr(0, half), 0) &&
                         stepAllowed(RewriteStep::WriteMiddle) &&
                         writeAt(fd.get(), bytes.substr(half), static_cast<off_t>(half)) &&
                         stepAllowed(RewriteStep::Cut) &&
                         ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 &&
                         stepAllowed(RewriteStep::Flush) && ::fsync(fd.get()) == 0;
    if (!written) {
        const int error = errno;
        if (putBack(fd.get(), *old)) {
            dropJournal();
            FileWriteResult result =
                keepNewCopy(FileWriteStep::Write, "cannot write in place", error);
            result.error += "; the old contents are back";
            return result;
        }
        // The journal stays: the next start puts the old contents back.
        FileWriteResult result = keepNewCopy(FileWriteStep::Write, "cannot write in place", error);
        result.error += "; the old contents are in " + oldCopy.string();
        result.keptOriginal = oldCopy;
        return result;
    }
    if (stepAllowed(RewriteStep::Done))
        dropJournal();
    ::unlink(newCopy.c_str());
    FileWriteResult result{true, {}, FileWriteStep::None, 0, {}};
    result.file = real;
    return result;
}

namespace {

RecoveredRewrite recover(const std::filesystem::path& journalPath, const Journal& journal) {
    RecoveredRewrite recovered{journal.file, RecoveredRewrite::Outcome::NotRestorable,
                               journal.copy};
    const auto finish = [&](RecoveredRewrite::Outcome outcome) {
        ::unlink(journalPath.c_str());
        ::unlink(journal.copy.c_str());
        recovered.outcome = outcome;
        recovered.copy.clear();
        return recovered;
    };
    const Descriptor fd(::open(journal.file.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return recovered;
    const std::optional<std::string> now = readAll(fd.get());
    if (!now)
        return recovered;
    if (now->size() == journal.newSize && fingerprint(*now) == journal.newPrint)
        return finish(RecoveredRewrite::Outcome::Finished);
    const std::optional<std::string> copy = readPath(journal.copy);
    if (!copy || copy->size() != journal.oldSize || fingerprint(*copy) != journal.oldPrint)
        return recovered;
    if (*now != *copy && !putBack(fd.get(), *copy))
        return recovered;
    return finish(RecoveredRewrite::Outcome::Restored);
}

} // namespace

std::vector<RecoveredRewrite> recoverUnfinishedRewrites(const std::filesystem::path& spareFolder) {
    std::vector<RecoveredRewrite> recovered;
    std::error_code error;
    std::vector<std::filesystem::path> entries;
    for (std::filesystem::directory_iterator it(spareFolder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
        entries.push_back(it->path());

    std::vector<std::filesystem::path> journalled; // copies a journal still needs
    for (const std::filesystem::path& path : entries) {
        const std::string name = path.filename().string();
        if (name.size() <= kJournalSuffix.size() || name.front() == '.' ||
            name.compare(name.size() - kJournalSuffix.size(), kJournalSuffix.size(),
                         kJournalSuffix) != 0)
            continue;
        const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
        if (fd.get() < 0)
            continue;
        std::filesystem::path copy = path;
        copy.replace_extension();
        // A running program is still at it.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            journalled.push_back(copy);
            continue;
        }
        const std::optional<std::string> bytes = readAll(fd.get());
        const std::optional<Journal> journal = bytes ? parseJournal(*bytes) : std::nullopt;
        // Only a journal that names the copy beside it is followed.
        if (!journal || journal->copy != copy) {
            journalled.push_back(copy);
            continue;
        }
        RecoveredRewrite done = recover(path, *journal);
        if (!done.copy.empty())
            journalled.push_back(done.copy);
        recovered.push_back(std::move(done));
    }

    // Leftovers no running program holds: journals' temporary files, and copies beyond
    // the count, oldest first.
    struct Copy {
        std::filesystem::path path;
        std::filesystem::file_time_type time;
    };
    std::vector<Copy> copies;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const std::filesystem::path& path : entries) {
        std::error_code looked;
        const std::filesystem::file_status status = std::filesystem::symlink_status(path, looked);
        const std::string name = path.filename().string();
        if (looked || status.type() != std::filesystem::file_type::regular ||
            std::find(journalled.begin(), journalled.end(), path) != journalled.end() ||
            (name.size() > kJournalSuffix.size() &&
             name.compare(name.size() - kJournalSuffix.size(), kJournalSuffix.size(),
                          kJournalSuffix) == 0))
            continue;
        const auto time = std::filesystem::last_write_time(path, looked);
        if (looked || !std::filesystem::exists(path))
            continue;
        const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
        if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue; // held by a running program
        if (name.front() == '.') {
            if (now - time > std::chrono::minutes(1))
                ::unlink(path.c_str());
            continue;
        }
        copies.push_back({path, time});
    }
    if (copies.size() > kKeptCopies) {
        std::sort(copies.begin(), copies.end(),
                  [](const Copy& a, const Copy& b) { return a.time > b.time; });
        for (std::size_t at = kKeptCopies; at < copies.size(); ++at)
            ::unlink(copies[at].path.c_str());
    }
    return recovered;
}

} // namespace mireto
