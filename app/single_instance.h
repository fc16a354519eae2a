// One editor per settings folder. Two editors on one Mireto.ini would each write it at
// exit, the last one winning, so the editor takes a lock beside the settings file, in
// that folder, whatever the environment says. The lock is the system's (flock): it goes
// with the process that holds it, however that process ends, so neither a crash nor a
// process id used again by another program can leave a lock that stops a start.
#pragma once

#include <QString>

namespace mireto {

class SingleInstanceGuard {
public:
    enum class Result {
        Acquired,      // this process holds the lock until the guard goes
        HeldElsewhere, // another process holds it
        Unavailable,   // there can be no lock here (a read-only folder, say)
    };

    // The lock for the settings file `settingsFile`.
    explicit SingleInstanceGuard(const QString& settingsFile);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    Result tryAcquire();
    // Lets the lock go before the guard does: the editor has finished with the settings.
    void release();

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace mireto
