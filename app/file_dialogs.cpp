#include "app/file_dialogs.h"

#include <QFileDialog>

namespace mireto {

namespace {

FileRequestHandler& testHandler() {
    static FileRequestHandler handler;
    return handler;
}

FileRequest documentRequest(bool save, const QString& suggested = {}) {
    FileRequest request;
    request.save = save;
    request.suggested = suggested;
    request.filters = {QStringLiteral("テキスト文書 (*.txt)"), QStringLiteral("すべてのﾌｧｲﾙ (*)")};
    // A name saved without an extension gets ".txt"; one being opened is taken as
    // typed, so a file without an extension opens.
    request.defaultSuffix = save ? QStringLiteral("txt") : QString();
    return request;
}

} // namespace

void prepareFileDialog(QFileDialog& dialog, const FileRequest& request) {
    dialog.setWindowTitle(request.caption);
    dialog.setNameFilters(request.filters);
    if (request.filter >= 0 && request.filter < request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
}

void prepareFileDialog(QFileDialog& dialog, bool save) {
    prepareFileDialog(dialog, documentRequest(save));
}

FileChoice askFile(QWidget* parent, const FileRequest& request) {
    if (testHandler())
        return testHandler()(request);
    // A suggested file name is selected in its folder.
    QFileDialog dialog(parent, request.caption, request.suggested);
    prepareFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(),
            static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()))};
}

QString askOpenFileName(QWidget* parent) {
    return askFile(parent, documentRequest(false)).path;
}

QString askSaveFileName(QWidget* parent, const QString& suggested) {
    return askFile(parent, documentRequest(true, suggested)).path;
}

FileRequest settingsFileRequest(bool save, const QString& caption, const QString& suggested) {
    FileRequest request;
    request.save = save;
    request.caption = caption;
    request.suggested = suggested;
    request.filters = {QStringLiteral("設定ﾌｧｲﾙ (*.ini)"), QStringLiteral("すべてのﾌｧｲﾙ (*)")};
    request.defaultSuffix = save ? QStringLiteral("ini") : QString();
    return request;
}

void setFileRequestHandlerForTesting(FileRequestHandler handler) {
    testHandler() = std::move(handler);
}

} // namespace mireto
