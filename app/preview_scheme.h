// The address scheme the live preview's pages are served under. The engine gets each
// page as its own Shift_JIS bytes, with their charset, whatever the page's size (a
// page handed over as a data address may not pass 2 MB once percent-encoded, which a
// few hundred kilobytes of Japanese text already do), and never through a file.
#pragma once

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace mireto {

class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    static constexpr const char* kScheme = "mireto-preview";
    static constexpr const char* kContentType = "text/html;charset=Shift_JIS";

    // Makes the scheme known to the engine; once per process, before the engine
    // starts (later calls do nothing).
    static void registerScheme();
    // A fresh address for the page served next, so that nothing is taken from a cache.
    static QUrl pageUrl(quint64 serial);

    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // The page every address of the scheme answers with from now on.
    void setPage(const QByteArray& page) { m_page = page; }
    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QByteArray m_page;
};

} // namespace mireto
