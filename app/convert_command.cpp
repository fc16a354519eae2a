#include "app/convert_command.h"

namespace mireto {

QStringList convertCommandWords(const ConvertCommand& command) {
    QStringList words{QStringLiteral("mireto-convert")};
    if (!command.settingsFile.isEmpty())
        words << QStringLiteral("-s") << command.settingsFile;
    words << QStringLiteral("-f") << QString::number(command.format)
          << QStringLiteral("--replacement") << command.replacementSet << QStringLiteral("--ending")
          << command.endingSet << QStringLiteral("--time")
          << QString::number(qint64{command.moment});
    if (command.utf8Text)
        words << QStringLiteral("--encoding") << QStringLiteral("utf-8");
    if (!command.textFile.isEmpty()) {
        // A file named like an option would be taken for one.
        words << (command.textFile.startsWith(QLatin1Char('-')) ? QStringLiteral("./")
                                                                : QString()) +
                     command.textFile;
    }
    return words;
}

QString shellQuoted(const QString& word) {
    bool safe = !word.isEmpty();
    for (const QChar c : word) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           QStringLiteral("-_./:=+,@%").contains(c) || c.unicode() >= 0x80;
        if (!plain) {
            safe = false;
            break;
        }
    }
    if (safe)
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString convertCommandLine(const ConvertCommand& command) {
    QStringList quoted;
    for (const QString& word : convertCommandWords(command))
        quoted << shellQuoted(word);
    return quoted.join(QLatin1Char(' '));
}

} // namespace mireto
