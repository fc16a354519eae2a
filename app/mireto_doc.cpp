#include "app/mireto_doc.h"

#include "app/file_dialogs.h"
#include "app/mireto_view.h"
#include "app/program_title.h"
#include "platform/atomic_file.h"
#include "widgets/file_error_text.h"
#include "widgets/message_box.h"
#include "widgets/write_failure.h"

#include <QFile>
#include <QFileInfo>

namespace mireto {

namespace {

void warn(QWidget* parent, const QString& text) {
    showMessage(parent, {text, programTitle(), MessageIcon::Warning, MessageButtons::Ok});
}

} // namespace

CMiretoDoc::CMiretoDoc(std::filesystem::path spareFolder, QObject* parent)
    : QObject(parent), m_spareFolder(std::move(spareFolder)) {}

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
    setDocument(QString(), DocumentFormat{});
    return true;
}

bool CMiretoDoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(dialogParent(), QStringLiteral("%1 を開けません。\n%2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        warn(dialogParent(),
             QStringLiteral("%1 を読み込めません。\n%2").arg(path, file.errorString()));
        return false;
    }
    const DecodedDocument decoded =
        decodeDocument(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (m_view)
        m_view->SetEditorText(decoded.text);
    setDocument(QFileInfo(path).absoluteFilePath(), decoded.format);
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
    emit fileUsed(m_pathName);
    return true;
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
        return true;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace mireto
