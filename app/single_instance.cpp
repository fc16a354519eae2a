#include "app/single_instance.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mireto {

SingleInstanceGuard::SingleInstanceGuard(const QString& settingsFile)
    : m_path(QFileInfo(settingsFile).absolutePath() + QStringLiteral("/.mireto-editor.lock")) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    release();
}

void SingleInstanceGuard::release() {
    // The file stays: removing it could part a lock from a process taking it now.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

SingleInstanceGuard::Result SingleInstanceGuard::tryAcquire() {
    if (m_fd >= 0)
        return Result::Acquired;
    const QByteArray path = QFile::encodeName(m_path);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
    }
    m_fd = fd;
    return Result::Acquired;
}

} // namespace mireto
