#include "platform/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mireto {

namespace {

FileReadResult failed(int error) {
    return {ReadStatus::Failed, {}, error};
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

FileReadResult readRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
    // Looked at before opening: opening a device may already do something.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return {ReadStatus::Missing, {}, error};
        return failed(error);
    }
    if (!S_ISREG(info.st_mode))
        return {ReadStatus::NotAFile, {}, 0};

    // Not blocking, in case a FIFO took the file's place in the meantime.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return failed(errno);
    if (::fstat(fd.get(), &info) != 0)
        return failed(errno);
    if (!S_ISREG(info.st_mode))
        return {ReadStatus::NotAFile, {}, 0};
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return {ReadStatus::TooLarge, {}, 0};

    FileReadResult result{ReadStatus::Ok, {}, 0};
    // Files such as those under /proc tell no size; the limit holds all the same.
    result.bytes.resize(std::min(static_cast<std::size_t>(info.st_size), maxBytes) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (filled > maxBytes)
                return {ReadStatus::TooLarge, {}, 0};
            result.bytes.resize(std::min(filled * 2, maxBytes + 1));
        }
        const ssize_t got =
            ::read(fd.get(), result.bytes.data() + filled, result.bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failed(errno);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled > maxBytes)
        return {ReadStatus::TooLarge, {}, 0};
    result.bytes.resize(filled);
    return result;
}

} // namespace mireto
