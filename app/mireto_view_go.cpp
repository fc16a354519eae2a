// GO!!: the session builds the page of the editor's text, which is written and opened.
// The live preview builds its pages with the same BuildPage, for its own moment.
#include "app/mireto_view.h"
#include "widgets/sjis_qstring.h"

namespace mireto {

std::string CMiretoView::ConversionText() const {
    // The converter cuts lines at CR LF, whatever the document's own line ends; a
    // character Shift_JIS cannot hold reaches the page as a character reference.
    // A U+2028 shows as a break in the editor, and so it is one on the page.
    QString lines = GetEditorText();
    lines.replace(QChar::LineSeparator, QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return encodeSjisForPage(lines);
}

std::optional<std::string> CMiretoView::BuildPage(const std::string& text,
                                                  std::time_t moment) const {
    return m_session.buildPage(text, moment);
}

FileWriteResult CMiretoView::OpenPage(const std::string& page) {
    // A page is made again from its text at any time: not worth waiting for the disk.
    FileWriteResult result = writeFileAtomically(m_services.paths.pageFile, page, FlushToDisk::No);
    if (result.ok && m_services.openPage)
        m_services.openPage(m_services.paths.pageFile);
    return result;
}

void CMiretoView::OnGo() {
    const std::string text = ConversionText();
    const std::time_t moment = m_services.clock();
    const std::optional<std::string> page = BuildPage(text, moment);
    if (!page)
        return;
    // A page that cannot be written is not opened, and GO!! stays quiet about it, as
    // it always has; the command-line converter is the one that reports it.
    OpenPage(*page);
    emit goPageBuilt(moment, QByteArray::fromStdString(*page));
}

} // namespace mireto
