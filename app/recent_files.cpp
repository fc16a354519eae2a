#include "app/recent_files.h"

#include "app/program_settings.h"

#include <QDir>

namespace mireto {

namespace {

constexpr const char* kSection = "Recent File List";

QString fileKey(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

RecentFileList::RecentFileList() {
    QSettings settings = programSettings();
    settings.beginGroup(QString::fromLatin1(kSection));
    for (int i = 0; i < kMaxFiles; ++i) {
        const QString path = settings.value(fileKey(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

void RecentFileList::add(const QString& path) {
    const QString absolute = QDir::cleanPath(QDir().absoluteFilePath(path));
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
    save();
}

void RecentFileList::remove(const QString& path) {
    if (m_files.removeAll(path) > 0)
        save();
}

QString RecentFileList::menuText(int index, const QString& path) {
    return QStringLiteral("&%1 %2").arg(index + 1).arg(
        QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void RecentFileList::save() const {
    QSettings settings = programSettings();
    settings.beginGroup(QString::fromLatin1(kSection));
    for (int i = 0; i < kMaxFiles; ++i) {
        if (i < m_files.size())
            settings.setValue(fileKey(i), m_files.at(i));
        else
            settings.remove(fileKey(i));
    }
}

} // namespace mireto
