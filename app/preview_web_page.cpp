#include "app/preview_web_page.h"

#include "app/preview_scheme.h"

#include <QWebEngineNewWindowRequest>

namespace mireto {

PreviewWebPage::PreviewWebPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
    // A link with target="_blank" asks for a window; none is opened (the request is
    // left unanswered), and a web link the user clicked goes to the browser instead.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) {
                if (request.isUserInitiated())
                    passOn(request.requestedUrl());
            });
}

bool PreviewWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool) {
    const bool ownLoad = url.scheme() == QLatin1String(PreviewSchemeHandler::kScheme) &&
                         type != NavigationTypeLinkClicked && type != NavigationTypeFormSubmitted;
    if (ownLoad)
        return true;
    if (type == NavigationTypeLinkClicked)
        passOn(url);
    return false;
}

void PreviewWebPage::passOn(const QUrl& url) {
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        emit linkRequested(url);
}

} // namespace mireto
