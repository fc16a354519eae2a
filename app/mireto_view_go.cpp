// GO!!: the page style chosen by position, a converter with copies of the current
// settings, the current sets and the editor's text, and the page written and opened.
#include "app/mireto_view.h"
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

void CMiretoView::OnGo() {
    // The converter cuts lines at CR LF, whatever the document's own line ends; a
    // character Shift_JIS cannot hold reaches the page as a character reference.
    // A U+2028 shows as a break in the editor, and so it is one on the page.
    QString lines = GetEditorText();
    lines.replace(QChar::LineSeparator, QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::string text = encodeSjisForPage(lines);

    const std::optional<OutputFormat> format = currentFormat();
    if (!format)
        return;
    const std::unique_ptr<Converter> converter = createConverter(*format, m_formatSettings);
    converter->setInputs(m_endingSet, m_replacementSet, text);
    converter->setClock(m_services.clock);
    // A page that cannot be written is not opened, and GO!! stays quiet about it, as
    // it always has; the command-line converter is the one that reports it.
    converter->run(m_services.paths.pageFile, m_services.openPage);
}

} // namespace mireto
