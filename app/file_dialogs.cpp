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
    QFileDialog dialog(parent, QString(), suggested, kFilters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Like the classic chooser, a name typed without an extension gets ".txt".
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

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
