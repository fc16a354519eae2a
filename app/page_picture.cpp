// How the picture knows the engine has drawn the page whole: the view is one pixel
// taller than the picture, and two pixels of that extra row get colours of their own
// once the view has its full size. The engine shows a new frame only when every part
// of it is drawn, so a grab that shows both pixels shows the whole page as it is laid
// out at that size; the extra row is then cut off. (Waiting for a quiet spell does not
// do: after a resize the engine may show the old frame, stretched, for a while.)
#include "app/page_picture.h"

#include "app/preview_scheme.h"
#include "app/preview_web_page.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <cmath>

namespace mireto {

namespace {

constexpr QRgb kMarkerLeft = 0x010203;
constexpr QRgb kMarkerRight = 0xFE0D0C;
constexpr int kPollMs = 40;

QString markerScript(int top) {
    return QStringLiteral("(function(){var m=document.createElement('div');"
                          "m.style.cssText='position:absolute;left:0;top:%1px;width:1px;height:1px;"
                          "margin:0;padding:0;border:0;background:#%2';"
                          "var n=m.cloneNode();n.style.left='1px';n.style.background='#%3';"
                          "document.documentElement.appendChild(m);"
                          "document.documentElement.appendChild(n);})()")
        .arg(top)
        .arg(kMarkerLeft, 6, 16, QLatin1Char('0'))
        .arg(kMarkerRight, 6, 16, QLatin1Char('0'));
}

} // namespace

PagePicture::PagePicture(QByteArray page, int maxHeight, QObject* parent)
    : QObject(parent), m_page(std::move(page)), m_maxHeight(maxHeight) {
    m_poll.setInterval(kPollMs);
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(kTimeoutMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("ページの描画が %1 秒たっても終わりませんでした。")
                 .arg(kTimeoutMs / 1000));
    });
}

PagePicture::~PagePicture() {
    // The engine's page must go before the profile it belongs to.
    delete m_view;
    delete m_webPage;
}

void PagePicture::start(int width) {
    if (m_done || isStarted())
        return;
    m_width = std::max(width, 1);
    // Like the preview: nothing kept on disk, no script of the page's own, no files.
    m_profile = new QWebEngineProfile(this);
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_scheme = new PreviewSchemeHandler(this);
    m_scheme->setPage(m_page);
    m_profile->installUrlSchemeHandler(PreviewSchemeHandler::kScheme, m_scheme);
    m_webPage = new PreviewWebPage(m_profile, nullptr);
    QWebEngineSettings* settings = m_webPage->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // The page is as wide as asked, with no room taken by a scroll bar, at any height.
    settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    connect(m_webPage, &QWebEnginePage::loadFinished, this, &PagePicture::OnLoaded);

    m_view = new QWebEngineView;
    m_view->setAttribute(Qt::WA_DontShowOnScreen);
    m_view->setPage(m_webPage);
    // One pixel tall while the page is measured: its height is then its own.
    m_view->resize(m_width, 1);
    m_view->show();
    m_timeout.start();
    emit progressed(Stage::Loading);
    m_webPage->load(PreviewSchemeHandler::pageUrl(1));
}

void PagePicture::cancel() {
    m_done = true;
    m_poll.stop();
    m_timeout.stop();
    if (m_webPage)
        m_webPage->triggerAction(QWebEnginePage::Stop);
}

void PagePicture::OnLoaded(bool ok) {
    if (m_done)
        return;
    if (!ok) {
        fail(QStringLiteral("ページを読み込めませんでした。"));
        return;
    }
    emit progressed(Stage::Measuring);
    QPointer<PagePicture> self(this);
    m_webPage->runJavaScript(QStringLiteral("document.documentElement.scrollHeight"),
                             QWebEngineScript::ApplicationWorld, [self](const QVariant& height) {
                                 if (self)
                                     self->OnMeasured(height.toInt());
                             });
}

void PagePicture::OnMeasured(int height) {
    if (m_done)
        return;
    if (height <= 0) {
        fail(QStringLiteral("ページの高さがわかりませんでした。"));
        return;
    }
    m_pageHeight = height;
    // The limit is in the picture's pixels, which a high-density screen makes more of.
    const qreal ratio = m_view->devicePixelRatioF();
    const int tallest = static_cast<int>(std::floor(m_maxHeight / ratio));
    m_cut = height > tallest;
    m_shownHeight = m_cut ? tallest : height;
    emit progressed(Stage::Drawing);
    m_view->resize(m_width, m_shownHeight + 1);
    waitForViewport();
}

void PagePicture::waitForViewport() {
    if (m_done)
        return;
    QPointer<PagePicture> self(this);
    m_webPage->runJavaScript(QStringLiteral("window.innerHeight"),
                             QWebEngineScript::ApplicationWorld, [self](const QVariant& height) {
                                 if (!self || self->m_done)
                                     return;
                                 if (height.toInt() == self->m_shownHeight + 1)
                                     self->placeMarkers();
                                 else
                                     QTimer::singleShot(kPollMs, self,
                                                        &PagePicture::waitForViewport);
                             });
}

void PagePicture::placeMarkers() {
    m_webPage->runJavaScript(markerScript(m_shownHeight), QWebEngineScript::ApplicationWorld);
    connect(&m_poll, &QTimer::timeout, this, &PagePicture::checkDrawn, Qt::UniqueConnection);
    m_poll.start();
}

void PagePicture::checkDrawn() {
    if (m_done)
        return;
    const QImage shown = m_view->grab().toImage();
    const int row = static_cast<int>(std::lround(m_shownHeight * m_view->devicePixelRatioF()));
    if (shown.height() <= row || shown.width() < 2)
        return;
    const int right = static_cast<int>(std::lround(m_view->devicePixelRatioF()));
    if ((shown.pixel(0, row) & 0xFFFFFF) != kMarkerLeft ||
        (shown.pixel(right, row) & 0xFFFFFF) != kMarkerRight)
        return;
    m_image = shown.copy(0, 0, shown.width(), row).convertToFormat(QImage::Format_RGB32);
    m_image.setDevicePixelRatio(1);
    finish();
}

void PagePicture::fail(const QString& problem) {
    if (m_done)
        return;
    m_problem = problem;
    finish();
}

void PagePicture::finish() {
    m_done = true;
    m_poll.stop();
    m_timeout.stop();
    emit progressed(Stage::Done);
    emit finished();
}

} // namespace mireto
