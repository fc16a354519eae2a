#include "app/recovery_copy.h"

#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QUrl>

namespace mireto {

namespace {

// The copy: this line, the document's path percent-encoded on the next, an empty line,
// then the text in UTF-8, exactly as the editor held it.
constexpr std::string_view kMagic = "mireto recovery 1\n";

std::string encode(const QString& documentPath, const QString& text) {
    std::string bytes(kMagic);
    bytes += QUrl::toPercentEncoding(documentPath, "/").toStdString();
    bytes += "\n\n";
    bytes += text.toStdString();
    return bytes;
}

} // namespace

RecoveryCopy::RecoveryCopy(const QString& folder, const QString& settingsFile, QObject* parent)
    : QObject(parent) {
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(settingsFile).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    m_path = QDir(folder).filePath(QStringLiteral("recovery-%1.txt").arg(QString::fromLatin1(key)));
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &RecoveryCopy::writeNow);
}

void RecoveryCopy::follow(CMiretoDoc* document, CMiretoView* view) {
    m_document = document;
    m_view = view;
    QTextDocument* text = view->document();
    connect(text, &QTextDocument::contentsChanged, this, &RecoveryCopy::OnTextChanged);
    connect(text, &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (modified)
            m_typingPause.start();
        else
            discard();
    });
    // Saved under a new name: the copy names the new file next time.
    connect(document, &CMiretoDoc::documentChanged, this, &RecoveryCopy::OnTextChanged);
    connect(document, &CMiretoDoc::changesDiscarded, this, &RecoveryCopy::discard);
}

void RecoveryCopy::OnTextChanged() {
    if (m_view && m_view->document()->isModified())
        m_typingPause.start();
}

std::optional<RecoveryCopy::Contents> RecoveryCopy::find() const {
    // A copy is no larger than the largest document, in UTF-8.
    const FileReadResult read =
        readRegularFile(m_path.toStdString(), CMiretoDoc::kMaxDocumentBytes * 3 + 4096);
    if (read.status != ReadStatus::Ok || read.bytes.rfind(kMagic, 0) != 0)
        return std::nullopt;
    const std::size_t pathEnd = read.bytes.find('\n', kMagic.size());
    if (pathEnd == std::string::npos || read.bytes.compare(pathEnd, 2, "\n\n") != 0)
        return std::nullopt;
    Contents contents;
    contents.documentPath = QUrl::fromPercentEncoding(
        QByteArray::fromStdString(read.bytes.substr(kMagic.size(), pathEnd - kMagic.size())));
    contents.text = QString::fromStdString(read.bytes.substr(pathEnd + 2));
    contents.written = QFileInfo(m_path).lastModified();
    return contents;
}

bool RecoveryCopy::writeNow() {
    m_typingPause.stop();
    if (!m_view || !m_view->document()->isModified())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QString documentPath = m_document ? m_document->GetPathName() : QString();
    return writeFileAtomically(m_path.toStdString(), encode(documentPath, m_view->GetEditorText()),
                               FlushToDisk::Yes)
        .ok;
}

void RecoveryCopy::discard() {
    m_typingPause.stop();
    QFile::remove(m_path);
}

} // namespace mireto
