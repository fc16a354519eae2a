#include "tests/support/unwritable_folder.h"

#include "tests/support/temp_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mireto::test {

namespace {

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
