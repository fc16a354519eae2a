#include "app/preview_scheme.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace mireto {

void PreviewSchemeHandler::registerScheme() {
    static const bool registered = [] {
        QWebEngineUrlScheme scheme(kScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        // Local: a page of this scheme may not reach into files or the network.
        scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
        QWebEngineUrlScheme::registerScheme(scheme);
        return true;
    }();
    (void)registered;
}

QUrl PreviewSchemeHandler::pageUrl(quint64 serial) {
    return QUrl(QStringLiteral("%1:page-%2").arg(QLatin1String(kScheme)).arg(serial));
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    // The buffer shares the page's bytes; the engine reads it until the job ends.
    auto* body = new QBuffer;
    body->setData(m_page);
    connect(job, &QObject::destroyed, body, &QObject::deleteLater);
    job->reply(kContentType, body);
}

} // namespace mireto
