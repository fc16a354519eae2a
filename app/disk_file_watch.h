// Whether the document's file on disk is still the one the editor read or wrote last.
// Another program may rewrite it at any time (in place, or by putting a new file in its
// place); the watch notices, through the system's file notifications on the file and on
// its folder, and tells the document. The file's identity and times say when to look at
// its bytes; only different bytes count as a change, so touching the file is none.
#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <string_view>

namespace mireto {

class DiskFileWatch : public QObject {
    Q_OBJECT
public:
    explicit DiskFileWatch(QObject* parent = nullptr);

    // From now on `path` is expected to hold `bytes` (just read or written); an empty
    // path watches nothing.
    void track(const QString& path, std::string_view bytes);
    // Whether the file is no longer what track() last saw: other bytes, or gone.
    bool changedOnDisk();

    const QString& path() const { return m_path; }

signals:
    // The file changed on disk; reported once for each state of the file, shortly after
    // it settles.
    void changed();

private:
    struct Stamp {
        qint64 size = -1;
        qint64 modifiedNs = 0;
        quint64 inode = 0;
        quint64 device = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);
    void OnNotified();
    void check();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    Stamp m_stamp;
    QByteArray m_hash;
    // The state last reported, so that one change is not reported again.
    Stamp m_reported;
};

} // namespace mireto
