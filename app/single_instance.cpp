#include "app/single_instance.h"

#include "app/program_title.h"

#include <QDir>

namespace mireto {

SingleInstanceGuard::SingleInstanceGuard(const QString& runtimeFolder)
    : m_path(QDir(runtimeFolder).filePath(programTitle() + QStringLiteral(".lock"))) {}

bool SingleInstanceGuard::tryAcquire() {
    if (m_lock && m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock is stale only when its owner has gone, however long the owner has run.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

} // namespace mireto
