#include "app/mireto_doc.h"

#include "app/file_dialogs.h"
#include "app/mireto_view.h"
#include "app/program_title.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "widgets/file_error_text.h"
#include "widgets/message_box.h"
#include "widgets/write_failure.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cerrno>

namespace mireto {

namespace {

void warn(QWidget* parent, const QString& text) {
    showMessage(parent, {text, programTitle(), MessageIcon::Warning, MessageButtons::Ok});
}

} // namespace

CMiretoDoc::CMiretoDoc(std::filesystem::path spareFolder, QObject* parent)
    : QObject(parent), m_spareFolder(std::move(spareFolder)) {
    connect(&m_watch, &DiskFileWatch::changed, this, &CMiretoDoc::OnChangedOnDisk);
}

void CMiretoDoc::AttachView(CMiretoView* view) {
    m_view = view;
}

QWidget* CMiretoDoc::dialogParent() const {
    return m_view ? m_view->window() : nullptr;
}

QString CMiretoDoc::GetTitle() const {
    return m_pathName.isEmpty() ? QStringLiteral("無題") : QFileInfo(m_pathName).fileName();
}

bool CMiretoDoc::IsModified() const {
    return m_view && m_view->document()->isModified();
}

void CMiretoDoc::setDocument(const QString& path, const DocumentFormat& format) {
    m_pathName = path;
    m_format = format;
    if (m_view)
        m_view->document()->setModified(false);
    emit documentChanged();
}

bool CMiretoDoc::OnNewDocument() {
    if (m_view)
        m_view->SetEditorText(QString());
    m_watch.track(QString(), {});
    setDocument(QString(), DocumentFormat{});
    return true;
}

bool CMiretoDoc::OnOpenDocument(const QString& path) {
    const FileReadResult file = readRegularFile(path.toStdString(), kMaxDocumentBytes);
    switch (file.status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::NotAFile:
        // A folder, a device or a FIFO: looked at, never read (a FIFO would wait for
        // ever, a device may never end).
        warn(dialogParent(), QStringLiteral("%1 を開けません。\n（%2）")
                                 .arg(path, QFileInfo(path).isDir()
                                                ? QStringLiteral("フォルダーです")
                                                : QStringLiteral("普通のファイルではありません")));
        return false;
    case ReadStatus::TooLarge:
        warn(dialogParent(), QStringLiteral("%1 を開けません。\n（%2 MiB より大きいファイルです）")
                                 .arg(path)
                                 .arg(kMaxDocumentBytes >> 20));
        return false;
    case ReadStatus::Missing:
    case ReadStatus::Failed:
        warn(dialogParent(), QStringLiteral("%1 を開けません。\n%2")
                                 .arg(path, fileErrorText(file.error ? file.error : EIO)));
        return false;
    }
    const std::string& bytes = file.bytes;
    const DecodedDocument decoded = decodeDocument(bytes);
    if (m_view)
        m_view->SetEditorText(decoded.text);
    setDocument(QFileInfo(path).absoluteFilePath(), decoded.format);
    m_watch.track(m_pathName, bytes);
    if (!decoded.exact) {
        warn(dialogParent(),
             QStringLiteral("%1 には、保存すると元どおりには戻らないバイトがあります"
                            "（Shift_JIS としても UTF-8 としても読めない文字、混在した改行、"
                            "改行になる段落区切り U+2029）。")
                 .arg(GetTitle()));
    }
    emit fileUsed(m_pathName);
    return true;
}

void CMiretoDoc::OnRecoverDocument(const QString& path, const QString& text) {
    // A file that has gone keeps its name, for Save to write it again.
    if (!QFileInfo(path).isFile() || !OnOpenDocument(path)) {
        m_watch.track(QString(), {});
        setDocument(path, DocumentFormat{});
    }
    if (!m_view)
        return;
    m_view->SetEditorText(text);
    m_view->document()->setModified(true);
    emit documentChanged();
}

bool CMiretoDoc::OnSaveDocument(const QString& path) {
    const QString text = m_view ? m_view->GetEditorText() : QString();
    DocumentFormat format = m_format;
    std::optional<std::string> bytes = encodeDocument(text, format);
    if (!bytes) {
        const MessageAnswer answer = showMessage(
            dialogParent(), {QStringLiteral("この文書には Shift_JIS で表せない文字があります。\n"
                                            "UTF-8 で保存しますか？\n"
                                            "（「いいえ」を選ぶと保存しません）"),
                             programTitle(), MessageIcon::Question, MessageButtons::YesNo});
        if (answer != MessageAnswer::Yes)
            return false;
        format.encoding = TextEncoding::Utf8;
        bytes = encodeDocument(text, format);
    }
    if (!MayOverwrite(path))
        return false;
    const FileWriteResult result = saveFileKeepingLinks(path.toStdString(), *bytes, m_spareFolder);
    if (!result.ok) {
        QString text = QStringLiteral("%1 を保存できません（%2）。")
                           .arg(writtenFile(path, result), fileErrorText(result.errorNumber));
        if (const QString copies = keptCopiesText(result); !copies.isEmpty())
            text += QLatin1Char('\n') + copies;
        warn(dialogParent(), text);
        return false;
    }
    setDocument(QFileInfo(path).absoluteFilePath(), format);
    m_watch.track(m_pathName, *bytes);
    emit fileUsed(m_pathName);
    return true;
}

bool CMiretoDoc::MayOverwrite(const QString& path) {
    if (QFileInfo(path).absoluteFilePath() != m_watch.path() || !QFileInfo::exists(path) ||
        !m_watch.changedOnDisk())
        return true;
    return showMessage(dialogParent(),
                       {QStringLiteral("%1 は、読み込んだ後にほかのプログラムで変更されています。\n"
                                       "上書きして保存しますか?\n"
                                       "（「いいえ」を選ぶと保存しません）")
                            .arg(GetTitle()),
                        programTitle(), MessageIcon::Warning, MessageButtons::YesNo}) ==
           MessageAnswer::Yes;
}

void CMiretoDoc::OnChangedOnDisk() {
    // Not while a dialog waits for the user: once it has gone.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(500, this, &CMiretoDoc::OnChangedOnDisk);
        return;
    }
    const QString path = m_watch.path();
    // A file that has gone is written again by the next save; nothing to read.
    if (path.isEmpty() || !QFileInfo::exists(path) || !m_watch.changedOnDisk())
        return;
    if (IsModified()) {
        const MessageAnswer answer = showMessage(
            dialogParent(), {QStringLiteral("%1 がほかのプログラムで変更されました。\n"
                                            "読み込み直しますか?\n"
                                            "（「はい」を選ぶと、保存していない変更は失われます）")
                                 .arg(GetTitle()),
                             programTitle(), MessageIcon::Question, MessageButtons::YesNo});
        if (answer != MessageAnswer::Yes)
            return;
    }
    OnOpenDocument(path);
}

bool CMiretoDoc::DoFileSave() {
    if (m_pathName.isEmpty())
        return DoSaveAs();
    return OnSaveDocument(m_pathName);
}

bool CMiretoDoc::DoSaveAs() {
    const QString suggested =
        m_pathName.isEmpty() ? GetTitle() + QStringLiteral(".txt") : m_pathName;
    const QString path = askSaveFileName(dialogParent(), suggested);
    if (path.isEmpty())
        return false;
    return OnSaveDocument(path);
}

bool CMiretoDoc::SaveModified() {
    if (!IsModified())
        return true;
    const MessageAnswer answer = showMessage(
        dialogParent(), {QStringLiteral("%1 への変更を保存しますか?").arg(GetTitle()),
                         programTitle(), MessageIcon::Warning, MessageButtons::YesNoCancel});
    switch (answer) {
    case MessageAnswer::Yes:
        return DoFileSave();
    case MessageAnswer::No:
        emit changesDiscarded();
        return true;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace mireto
