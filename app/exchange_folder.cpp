#include "app/exchange_folder.h"

#include "app/program_settings.h"

#include <QDir>
#include <QFileInfo>

namespace mireto {

namespace {

constexpr const char* kKey = "Exchange/Folder";

} // namespace

QString exchangeFolder() {
    const QString folder = programSettings().value(QString::fromLatin1(kKey)).toString();
    // A folder since removed is no place to start.
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void rememberExchangeFolder(const QString& file) {
    programSettings().setValue(QString::fromLatin1(kKey), QFileInfo(file).absolutePath());
}

} // namespace mireto
