// The "最近使ったﾌｧｲﾙ" list: at most four documents, newest first, kept in the per-user
// settings under "Local AppWizard-Generated Applications", in the program's own
// section, as File1 to File4 of "Recent File List".
#pragma once

#include <QStringList>

namespace mireto {

class RecentFileList {
public:
    static constexpr int kMaxFiles = 4;

    // Reads the list from the settings.
    RecentFileList();

    const QStringList& files() const { return m_files; }
    // Puts `path` first (once) and writes the list back.
    void add(const QString& path);
    // Drops `path`, for instance a file that no longer opens, and writes the list back.
    void remove(const QString& path);

    // The file menu's entry for file `index` (0 first): its number as the mnemonic and
    // the path as it is, an "&" in it included.
    static QString menuText(int index, const QString& path);

private:
    void save() const;

    QStringList m_files;
};

} // namespace mireto
