// The open and save-as file choosers, through one seam that tests replace.
#pragma once

#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

namespace mireto {

// The chosen file, or empty when the user cancelled.
QString askOpenFileName(QWidget* parent);
QString askSaveFileName(QWidget* parent, const QString& suggested);

// The choosers for another kind of file: its name filters, and the extension a name
// saved without one gets.
struct FileKind {
    QString filters;
    QString suffix;
};
// Settings files such as Mireto.ini, for exporting and importing templates.
FileKind settingsFileKind();
QString askOpenFileName(QWidget* parent, const FileKind& kind);
QString askSaveFileName(QWidget* parent, const QString& suggested, const FileKind& kind);

// Sets up a chooser as both commands show it: the text-document filters, an existing
// file to open, and for saving only ".txt" added to a name typed without one.
void prepareFileDialog(QFileDialog& dialog, bool save);

// Replaces every chooser, for tests: the handler gets whether it is a save and the
// suggested name. An empty handler restores the real choosers.
using FileDialogHandler = std::function<QString(bool save, const QString& suggested)>;
void setFileDialogHandlerForTesting(FileDialogHandler handler);

} // namespace mireto
