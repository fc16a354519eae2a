// Why long texts pause: building a page is quick (for 1 MB of text 8-13 ms on the
// user-interface thread, bench/README.md), but the engine takes seconds to lay out the
// megabytes of page that come of it. Up to kLiveTextLimit the page is built after the
// pause in typing; past it the preview says so and waits for 更新, rather than keep the
// engine laying out a whole book at every pause. The same holds for the page itself,
// which settings can make far larger than its text: past kLivePageLimit it waits for
// 更新, and past kShownPageLimit it is not shown at all; either way it is built only up
// to the limit, never whole. Building stays on the one thread that
// owns the view's state, as everything in the program does, so no page is ever built
// from inputs changing under it.
#include "app/page_preview.h"

#include "app/mireto_view.h"
#include "app/preview_scheme.h"
#include "app/preview_web_page.h"
#include "app/program_title.h"
#include "convert/page_clock.h"
#include "widgets/message_box.h"
#include "widgets/write_failure.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QStackedWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>

namespace mireto {

namespace {

const char* const kKeepScrollScript = "mireto-keep-scroll";

QString noStyleNotice() {
    return QStringLiteral("出力HTML形式が選ばれていないため、プレビューするページがありません。");
}

QString longTextBanner() {
    return QStringLiteral("テキストが 1 MB を超えているため、プレビューは自動では更新されません。"
                          "「更新」で作り直します。");
}

QString largePageBanner() {
    return QStringLiteral("ページが %1 MB を超えるため、プレビューは自動では更新されません。"
                          "「更新」で作り直します。")
        .arg(PagePreview::kLivePageLimit >> 20);
}

QString tooLargePageNotice() {
    return QStringLiteral("ページが %1 MB を超えるため、プレビューには表示できません。\n"
                          "GO!! でブラウザに表示できます。")
        .arg(PagePreview::kShownPageLimit >> 20);
}

QString momentText(std::time_t moment) {
    const std::tm time = localCalendarTime(moment);
    return QStringLiteral("%1/%2/%3 %4:%5:%6")
        .arg(time.tm_year + 1900)
        .arg(time.tm_mon + 1, 2, 10, QLatin1Char('0'))
        .arg(time.tm_mday, 2, 10, QLatin1Char('0'))
        .arg(time.tm_hour, 2, 10, QLatin1Char('0'))
        .arg(time.tm_min, 2, 10, QLatin1Char('0'))
        .arg(time.tm_sec, 2, 10, QLatin1Char('0'));
}

} // namespace

void PagePreview::prepareEngine() {
    // The engine shares its drawing contexts with the windows'; Qt must know before
    // the application exists.
    if (!QCoreApplication::instance())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    PreviewSchemeHandler::registerScheme();
}

PagePreview::PagePreview(CMiretoView* view, const PlatformServices& services, QWidget* parent)
    : QWidget(parent), m_view(view), m_services(services) {
    setObjectName(QStringLiteral("PagePreview"));
    m_moment = m_services.clock();
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    m_otherChange.setSingleShot(true);
    m_otherChange.setInterval(0);
    connect(&m_typingPause, &QTimer::timeout, this, &PagePreview::followChange);
    connect(&m_otherChange, &QTimer::timeout, this, &PagePreview::followChange);

    createToolBar();
    m_pauseBanner = new QLabel(longTextBanner(), this);
    m_pauseBanner->setObjectName(QStringLiteral("PreviewPauseBanner"));
    m_pauseBanner->setWordWrap(true);
    m_pauseBanner->setMargin(4);
    m_pauseBanner->setStyleSheet(QStringLiteral("background: #fff3c4; color: #000000;"));
    m_pauseBanner->hide();
    m_notice = new QLabel(this);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->setMargin(12);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_stack = new QStackedWidget(this);
    m_stack->addWidget(m_notice);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_pauseBanner);
    layout->addWidget(m_stack, 1);

    m_engineProblem = m_services.webEngineProblem ? m_services.webEngineProblem() : QString();
    if (m_engineProblem.isEmpty())
        startEngine();
    else
        showNotice(m_engineProblem);

    connect(m_view, &CMiretoView::conversionInputsChanged, this, &PagePreview::OnInputsChanged);
    connect(m_view, &CMiretoView::goPageBuilt, this, &PagePreview::OnGoPageBuilt);
    updateMomentLabel();
    updateActions();
}

PagePreview::~PagePreview() {
    // The engine's page must go before the profile it belongs to.
    delete m_web;
    delete m_webPage;
}

void PagePreview::createToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"), this);
    m_toolBar->setObjectName(QStringLiteral("PreviewToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setMovable(false);
    m_reroll = m_toolBar->addAction(QStringLiteral("別の乱数で"), this, &PagePreview::reroll);
    m_reroll->setStatusTip(QStringLiteral("別の時刻で乱数を引き直したページを表示"));
    m_openInBrowser =
        m_toolBar->addAction(QStringLiteral("ブラウザで開く"), this, &PagePreview::openInBrowser);
    m_openInBrowser->setStatusTip(QStringLiteral("表示中のページをそのままブラウザで開く"));
    m_refresh = m_toolBar->addAction(QStringLiteral("更新"), this, &PagePreview::refresh);
    m_refresh->setStatusTip(QStringLiteral("今のテキストと設定でページを作り直す"));
    m_refresh->setVisible(false);
    m_toolBar->addSeparator();
    m_momentLabel = new QLabel(m_toolBar);
    m_momentLabel->setObjectName(QStringLiteral("PreviewMoment"));
    m_momentLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_toolBar->addWidget(m_momentLabel);
}

void PagePreview::startEngine() {
    PreviewSchemeHandler::registerScheme();
    // Nothing of the preview is kept on disk: no cache, no cookies, no history.
    m_profile = new QWebEngineProfile(this);
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_scheme = new PreviewSchemeHandler(this);
    m_profile->installUrlSchemeHandler(PreviewSchemeHandler::kScheme, m_scheme);

    m_webPage = new PreviewWebPage(m_profile, nullptr);
    // The pages need no script of their own, and a text that holds one does not run
    // it inside the editor; the preview's own script runs apart from the page's.
    QWebEngineSettings* settings = m_webPage->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    connect(m_webPage, &PreviewWebPage::linkRequested, this, [this](const QUrl& link) {
        if (m_services.openLink)
            m_services.openLink(link);
    });
    connect(m_webPage, &QWebEnginePage::loadingChanged, this, &PagePreview::OnLoadingChanged);
    connect(m_webPage, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    OnEngineStopped();
            });

    m_web = new QWebEngineView(this);
    m_web->setPage(m_webPage);
    m_web->setFocusPolicy(Qt::ClickFocus);
    m_stack->insertWidget(0, m_web);
}

QWebEnginePage* PagePreview::webPage() const {
    return m_webPage;
}

QString PagePreview::notice() const {
    return m_stack->currentWidget() == m_notice ? m_notice->text() : QString();
}

void PagePreview::OnInputsChanged(InputChange change) {
    if (change == InputChange::Typing) {
        m_typingPause.start();
    } else {
        // Several announcements from one command make one update.
        m_otherChange.start();
    }
}

void PagePreview::followChange() {
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    rebuild(false);
}

void PagePreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_stale)
        m_otherChange.start();
}

void PagePreview::refresh() {
    rebuild(true);
}

void PagePreview::rebuild(bool evenIfLong) {
    m_typingPause.stop();
    m_otherChange.stop();
    m_stale = false;
    if (!m_engineProblem.isEmpty())
        return;
    // Characters never outnumber the bytes, so a long text is known without encoding it.
    const auto characters = static_cast<std::size_t>(m_view->document()->characterCount());
    if (!evenIfLong && characters > kLiveTextLimit) {
        setPaused(true, longTextBanner());
        return;
    }
    const std::string text = m_view->ConversionText();
    setPaused(text.size() > kLiveTextLimit, longTextBanner());
    if (m_paused && !evenIfLong)
        return;
    // The page is taken up to the limit and no further: what settings make of a text
    // can be any size.
    const std::size_t limit = evenIfLong ? kShownPageLimit : kLivePageLimit;
    std::string page;
    bool tooLarge = false;
    const std::optional<bool> built =
        m_view->StreamPage(text, m_moment, [&page, &tooLarge, limit](std::string_view piece) {
            tooLarge = piece.size() > limit - page.size();
            if (!tooLarge)
                page.append(piece);
            return !tooLarge;
        });
    if (tooLarge && !evenIfLong) {
        setPaused(true, largePageBanner());
        return;
    }
    if (!built) {
        m_page.clear();
        showNotice(noStyleNotice());
    } else if (tooLarge) {
        m_page.clear();
        showNotice(tooLargePageNotice());
    } else {
        showPage(QByteArray::fromStdString(page));
    }
    updateActions();
    emit updated();
}

void PagePreview::setPaused(bool paused, const QString& why) {
    m_paused = paused;
    if (paused)
        m_pauseBanner->setText(why);
    m_pauseBanner->setVisible(paused);
    updateActions();
}

void PagePreview::reroll() {
    // The clock's second, or the next one when that is the moment already shown.
    setMoment(std::max(m_services.clock(), m_moment + 1));
}

void PagePreview::setMoment(std::time_t moment) {
    m_moment = moment;
    updateMomentLabel();
    rebuild(true);
}

void PagePreview::OnGoPageBuilt(qint64 moment, const QByteArray& page) {
    m_moment = static_cast<std::time_t>(moment);
    updateMomentLabel();
    if (!m_engineProblem.isEmpty())
        return;
    // GO!! built from the inputs as they are, so its page is the one to show.
    m_typingPause.stop();
    m_otherChange.stop();
    showPage(page);
    updateActions();
    emit updated();
}

void PagePreview::openInBrowser() {
    if (m_page.isEmpty())
        return;
    const FileWriteResult result =
        m_view->OpenPage(std::string(m_page.constData(), static_cast<std::size_t>(m_page.size())));
    if (result.ok)
        return;
    const QString page = QString::fromStdString(m_services.paths.pageFile.string());
    showMessage(
        window(),
        {QStringLiteral("%1 に書き込めません。\n%2").arg(page, writeFailureReason(page, result)),
         programTitle(), MessageIcon::Warning, MessageButtons::Ok});
}

void PagePreview::showPage(const QByteArray& page) {
    const bool same = page == m_page && !m_reloadNeeded;
    m_page = page;
    if (same)
        return;
    m_scheme->setPage(page);
    QWebEngineScriptCollection& scripts = m_webPage->scripts();
    for (const QWebEngineScript& old : scripts.find(QString::fromLatin1(kKeepScrollScript)))
        scripts.remove(old);
    QWebEngineScript keepScroll;
    keepScroll.setName(QString::fromLatin1(kKeepScrollScript));
    keepScroll.setInjectionPoint(QWebEngineScript::DocumentReady);
    keepScroll.setWorldId(QWebEngineScript::ApplicationWorld);
    keepScroll.setSourceCode(keepScrollScript());
    scripts.insert(keepScroll);
    m_reloadNeeded = false;
    m_webPage->load(PreviewSchemeHandler::pageUrl(++m_loadSerial));
    m_stack->setCurrentWidget(m_web);
}

QString PagePreview::keepScrollScript() const {
    const QPointF at = m_webPage->scrollPosition();
    const qreal contents = m_webPage->contentsSize().height();
    const qreal visible = m_web->height() / m_webPage->zoomFactor();
    // A reader at the end of a page that scrolls stays at the end as the page grows;
    // so does one typing at the end of a text whose page still fits.
    const bool scrolls = contents > visible + 1;
    const bool atEnd = scrolls ? at.y() + visible >= contents - 2 : m_view->textCursor().atEnd();
    return QStringLiteral("window.scrollTo(%1, %2 ? document.documentElement.scrollHeight : %3);")
        .arg(at.x())
        .arg(atEnd ? QStringLiteral("true") : QStringLiteral("false"))
        .arg(at.y());
}

void PagePreview::showNotice(const QString& text) {
    m_notice->setText(text);
    m_stack->setCurrentWidget(m_notice);
}

void PagePreview::OnLoadingChanged(const QWebEngineLoadingInfo& loading) {
    if (loading.url() != PreviewSchemeHandler::pageUrl(m_loadSerial))
        return;
    switch (loading.status()) {
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        if (m_failed) {
            m_failed = false;
            m_stack->setCurrentWidget(m_web);
            updateActions();
        }
        // Back and forward have nowhere to go: the preview has one page.
        m_webPage->history()->clear();
        m_loadedSerial = m_loadSerial;
        emit pageLoaded();
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_reloadNeeded = true;
        m_failed = true;
        showNotice(QStringLiteral("プレビューのページを読み込めませんでした。\n%1")
                       .arg(loading.errorString()));
        updateActions();
        break;
    case QWebEngineLoadingInfo::LoadStartedStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        break;
    }
}

void PagePreview::OnEngineStopped() {
    m_reloadNeeded = true;
    m_failed = true;
    showNotice(QStringLiteral("プレビューの表示が止まりました（ウェブエンジンのページ処理が"
                              "終了しました）。\n次の変更か「更新」で表示し直します。"));
    updateActions();
}

void PagePreview::updateMomentLabel() {
    m_momentLabel->setText(
        QStringLiteral("%1\n--time %2").arg(momentText(m_moment)).arg(qint64{m_moment}));
    m_momentLabel->setToolTip(QStringLiteral("ページの乱数と日付を決める時刻です。\n"
                                             "mireto-convert --time %1 で同じページを作れます。")
                                  .arg(qint64{m_moment}));
}

void PagePreview::updateActions() {
    const bool engine = m_engineProblem.isEmpty();
    m_reroll->setEnabled(engine);
    m_openInBrowser->setEnabled(engine && !m_page.isEmpty());
    m_refresh->setEnabled(engine);
    m_momentLabel->setEnabled(engine);
    m_refresh->setVisible(engine && (m_paused || m_failed));
}

} // namespace mireto
