#include "app/file_dialogs.h"

#include <QFileDialog>

namespace mireto {

namespace {

FileDialogHandler& testHandler() {
    static FileDialogHandler handler;
    return handler;
}

const QString kFilters = QStringLiteral("テキスト文書 (*.txt);;すべてのﾌｧｲﾙ (*)");

QString ask(QWidget* parent, bool save, const QString& suggested,
            const std::function<void(QFileDialog&)>& prepare) {
    if (testHandler())
        return testHandler()(save, suggested);
    QFileDialog dialog(parent, QString(), suggested);
    prepare(dialog);
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
    return ask(parent, false, {}, [](QFileDialog& dialog) { prepareFileDialog(dialog, false); });
}

QString askSaveFileName(QWidget* parent, const QString& suggested) {
    return ask(parent, true, suggested,
               [](QFileDialog& dialog) { prepareFileDialog(dialog, true); });
}

FileKind settingsFileKind() {
    return {QStringLiteral("設定ﾌｧｲﾙ (*.ini);;すべてのﾌｧｲﾙ (*)"), QStringLiteral("ini")};
}

QString askOpenFileName(QWidget* parent, const FileKind& kind) {
    return ask(parent, false, {}, [&kind](QFileDialog& dialog) {
        dialog.setNameFilter(kind.filters);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    });
}

QString askSaveFileName(QWidget* parent, const QString& suggested, const FileKind& kind) {
    return ask(parent, true, suggested, [&kind](QFileDialog& dialog) {
        dialog.setNameFilter(kind.filters);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(kind.suffix);
    });
}

void setFileDialogHandlerForTesting(FileDialogHandler handler) {
    testHandler() = std::move(handler);
}

} // namespace mireto
