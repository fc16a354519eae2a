// Keeps a second copy of the program from starting: a lock file in the user's runtime
// folder, named after the program. The lock records its owner's process, so a lock
// left behind by a process that crashed does not block the next start.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace mireto {

class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const QString& runtimeFolder);

    // True when this process now holds the lock; false when another running process
    // does. Holding lasts until the guard is destroyed.
    bool tryAcquire();

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace mireto
