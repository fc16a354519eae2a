// The mireto-convert command line that makes the previewed page again: the same
// settings file, page style, sets and moment, over the document's file. Shown in the
// preview's tool tip and copied by its コピー item.
#pragma once

#include <QString>
#include <QStringList>
#include <ctime>
#include <optional>

namespace mireto {

struct ConvertCommand {
    // The settings file the converter is to read; empty leaves it to find its own.
    QString settingsFile;
    // The page style's position (0-6).
    int format = 0;
    // The sets' names, as the user reads them.
    QString replacementSet;
    QString endingSet;
    std::time_t moment = 0;
    // The document's file, and whether it is UTF-8; empty for a document never saved,
    // whose text the command then reads from standard input.
    QString textFile;
    bool utf8Text = false;
};

// The words of the command, starting with "mireto-convert".
QStringList convertCommandWords(const ConvertCommand& command);

// The command as one line for a POSIX shell, every word that needs it quoted.
QString convertCommandLine(const ConvertCommand& command);

// `word` as a POSIX shell reads it back: bare when it holds only safe characters,
// otherwise in single quotes.
QString shellQuoted(const QString& word);

} // namespace mireto
