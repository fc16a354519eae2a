#include "tests/support/unwritable_folder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mireto::test {

namespace {

// Turns the folder's immutable flag on or off; false when the system refuses.
bool setImmutable(const std::filesystem::path& folder, bool on) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

bool canCreateIn(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / ".probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

} // namespace

UnwritableFolder::UnwritableFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {
    ::chmod(m_folder.c_str(), 0555);
    if (canCreateIn(m_folder))
        m_immutable = setImmutable(m_folder, true);
    m_unwritable = !canCreateIn(m_folder);
}

UnwritableFolder::~UnwritableFolder() {
    if (m_immutable)
        setImmutable(m_folder, false);
    ::chmod(m_folder.c_str(), 0755);
}

} // namespace mireto::test
