#include "app/file_dialogs.h"

#include <QFileDialog>

namespace mireto {

namespace {

FileDialogHandler& testHandler() {
    static FileDialogHandler handler;
    return handler;
}

const QString kFilters = QStringLiteral("テキスト文書 (*.txt);;すべてのﾌｧｲﾙ (*)");

QString ask(QWidget* parent, bool save, const QString& suggested) {
    if (testHandler())
        return testHandler()(save, suggested);
    QFileDialog dialog(parent, QString(), suggested);
    prepareFileDialog(dialog, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void prepareFileDialog(QFileDialog& dialog, bool save) {
    dialog.setNameFilter(kFilters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name saved without an extension gets ".txt"; one being opened is taken as
    // typed, so a file without an extension opens.
    dialog.setDefaultSuffix(save ? QStringLiteral("txt") : QString());
}

QString askOpenFileName(QWidget* parent) {
    return ask(parent, false, {});
}

QString askSaveFileName(QWidget* parent, const QString& suggested) {
    return ask(parent, true, suggested);
}

void setFileDialogHandlerForTesting(FileDialogHandler handler) {
    testHandler() = std::move(handler);
}

} // namespace mireto
