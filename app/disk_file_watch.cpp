#include "app/disk_file_watch.h"

#include "app/mireto_doc.h"
#include "platform/regular_file.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace mireto {

namespace {

// A burst of notifications (a program writing in pieces, or a rename after a write)
// makes one look.
constexpr int kSettleMs = 200;

QByteArray hashOf(std::string_view bytes) {
    return QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
        QCryptographicHash::Sha256);
}

} // namespace

DiskFileWatch::DiskFileWatch(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DiskFileWatch::check);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskFileWatch::OnNotified);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DiskFileWatch::OnNotified);
}

DiskFileWatch::Stamp DiskFileWatch::stampOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<quint64>(info.st_ino), static_cast<quint64>(info.st_dev)};
}

void DiskFileWatch::track(const QString& path, std::string_view bytes) {
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_settle.stop();
    m_path = path;
    if (path.isEmpty())
        return;
    m_stamp = stampOf(path);
    m_reported = m_stamp;
    m_hash = hashOf(bytes);
    // The folder as well: a program that saves by putting a new file in the old one's
    // place leaves the watch on the file with nothing to watch.
    m_watcher.addPath(path);
    m_watcher.addPath(QFileInfo(path).absolutePath());
}

bool DiskFileWatch::changedOnDisk() {
    if (m_path.isEmpty())
        return false;
    const Stamp now = stampOf(m_path);
    if (now == m_stamp)
        return false;
    const FileReadResult read =
        readRegularFile(m_path.toStdString(), CMiretoDoc::kMaxDocumentBytes);
    const QByteArray hash = read.status == ReadStatus::Ok ? hashOf(read.bytes) : QByteArray();
    if (hash != m_hash)
        return true;
    // The same bytes, touched or written again: no change.
    m_stamp = now;
    return false;
}

void DiskFileWatch::OnNotified() {
    // A file replaced by a new one is watched again under its name.
    if (!m_path.isEmpty() && !m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
    m_settle.start();
}

void DiskFileWatch::check() {
    const Stamp now = stampOf(m_path);
    if (now == m_reported || !changedOnDisk())
        return;
    m_reported = now;
    emit changed();
}

} // namespace mireto
