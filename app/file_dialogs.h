// The file choosers, through one seam that tests replace: the text documents' open and
// save-as, and the choosers of the other files the program writes and reads (pages,
// pictures, shared templates), each with its own filters.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QFileDialog;
class QWidget;

namespace mireto {

struct FileRequest {
    bool save = false;
    QString caption;
    QString suggested;     // a name or a whole path
    QStringList filters;   // "HTML (*.html *.htm)", ...
    int filter = 0;        // the one selected at first
    QString defaultSuffix; // added to a name saved without an extension
};

struct FileChoice {
    QString path;   // empty when the user cancelled
    int filter = 0; // the filter selected when the user chose
};

FileChoice askFile(QWidget* parent, const FileRequest& request);

// The chosen file, or empty when the user cancelled.
QString askOpenFileName(QWidget* parent);
QString askSaveFileName(QWidget* parent, const QString& suggested);

// A chooser for settings files such as Mireto.ini, for exporting and importing
// templates: saving adds ".ini" to a name typed without an extension.
FileRequest settingsFileRequest(bool save, const QString& caption, const QString& suggested = {});

// Sets up a chooser as askFile shows it; the bool form as the two document commands
// show theirs: the text-document filters, an existing file to open, and for saving
// only ".txt" added to a name typed without one.
void prepareFileDialog(QFileDialog& dialog, const FileRequest& request);
void prepareFileDialog(QFileDialog& dialog, bool save);

// Replaces every chooser, for tests; an empty handler restores the real ones.
using FileRequestHandler = std::function<FileChoice(const FileRequest&)>;
void setFileRequestHandlerForTesting(FileRequestHandler handler);

} // namespace mireto
