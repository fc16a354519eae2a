// GO!!: the page style chosen by position, a converter with copies of the current
// settings, the current sets and the editor's text, and the page written and opened.
// The live preview builds its pages with the same BuildPage, for its own moment.
#include "app/mireto_view.h"
#include "app/page_not_opened.h"
#include "convert/converter_factory.h"
#include "widgets/sjis_qstring.h"

namespace mireto {

std::optional<OutputFormat> CMiretoView::currentFormat() const {
    for (std::size_t position = 0; position < kFormatCount; ++position) {
        if (m_store.GetFormatName(position) == m_template.formatName)
            return static_cast<OutputFormat>(position);
    }
    return std::nullopt;
}

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
    std::string page;
    const auto whole = [&page](std::string_view piece) {
        page.append(piece);
        return true;
    };
    if (!StreamPage(text, moment, whole))
        return std::nullopt;
    return page;
}

std::optional<bool> CMiretoView::StreamPage(const std::string& text, std::time_t moment,
                                            const PageSink& sink) const {
    const std::optional<OutputFormat> format = currentFormat();
    if (!format)
        return std::nullopt;
    const std::unique_ptr<Converter> converter = createConverter(*format, m_formatSettings);
    converter->setInputs(m_endingSet, m_replacementSet, text);
    converter->setClock([moment] { return moment; });
    return converter->streamPage(sink);
}

FileWriteResult CMiretoView::OpenPage(const std::string& page) {
    // A page is made again from its text at any time: not worth waiting for the disk.
    FileWriteResult result = writeFileAtomically(m_services.paths.pageFile, page, FlushToDisk::No);
    if (result.ok && m_services.openPage && !m_services.openPage(m_services.paths.pageFile))
        reportPageNotOpened(window(), QString::fromStdString(m_services.paths.pageFile.string()));
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
