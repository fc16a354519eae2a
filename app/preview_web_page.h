// The preview's page in the web engine. Links never take the preview elsewhere: a web
// link (http, https; the idol page's search links) is handed on with linkRequested,
// for the desktop's browser, and the pages' local links (./tmp, ./tmp.html) do
// nothing. Only the preview's own loads go through.
#pragma once

#include <QWebEnginePage>

namespace mireto {

class PreviewWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    PreviewWebPage(QWebEngineProfile* profile, QObject* parent);

signals:
    void linkRequested(const QUrl& link);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    void passOn(const QUrl& url);
};

} // namespace mireto
