// The live preview: the page GO!! would write for the editor's text and the current
// sets, page style and settings, rendered by the web engine beside the editor. It owns
// the web view, the moment its pages are built for, the pause after typing and its
// own toolbar (別の乱数で, ブラウザで開く, 更新, the moment).
//
// It follows the view's conversionInputsChanged: typing once it pauses, any other
// change at once. A page is built for a fixed moment, which seeds every draw and dates
// the page, so that typing does not reshuffle it; 別の乱数で picks a new one, and GO!!
// hands over its own. Texts above kLiveTextLimit, and pages above kLivePageLimit, are
// not rebuilt by themselves: 更新 does it (see page_preview.cpp for why), up to
// kShownPageLimit.
#pragma once

#include "app/platform_services.h"

#include <QByteArray>
#include <QTimer>
#include <QWidget>
#include <ctime>

class QAction;
class QLabel;
class QStackedWidget;
class QToolBar;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace mireto {

class CMiretoView;
class PreviewSchemeHandler;
class PreviewWebPage;
enum class InputChange;

class PagePreview : public QWidget {
    Q_OBJECT
public:
    // Bytes of Shift_JIS text up to which the page follows every change by itself.
    static constexpr std::size_t kLiveTextLimit = std::size_t{1} << 20;
    // Bytes of page up to which it follows every change by itself: settings can make a
    // page far larger than its text (a replacement that turns "。" into a book).
    static constexpr std::size_t kLivePageLimit = std::size_t{8} << 20;
    // Bytes of page the preview shows at all, 更新 included; a larger page is never
    // built whole here: GO!! puts it in the browser.
    static constexpr std::size_t kShownPageLimit = std::size_t{64} << 20;
    // How long typing must pause before the page follows it.
    static constexpr int kTypingPauseMs = 300;

    // Once per process, before the QApplication is made: what the web engine needs to
    // know before it starts.
    static void prepareEngine();

    // Follows `view`, which must outlive the preview.
    PagePreview(CMiretoView* view, const PlatformServices& services, QWidget* parent = nullptr);
    ~PagePreview() override;

    // The Shift_JIS bytes of the page previewed now, as handed to the web engine;
    // empty while no page is shown.
    const QByteArray& currentPage() const { return m_page; }
    // The moment the pages are built for, in seconds (what mireto-convert --time takes).
    std::time_t moment() const { return m_moment; }
    // Whether the engine has finished loading currentPage().
    bool isPageLoaded() const { return !m_page.isEmpty() && m_loadedSerial == m_loadSerial; }
    // The engine's view and page; null when the engine could not start.
    QWebEngineView* webView() const { return m_web; }
    QWebEnginePage* webPage() const;
    // Why the engine is not used here; empty when it runs.
    const QString& engineProblem() const { return m_engineProblem; }
    // What the preview shows instead of a page; empty while a page shows.
    QString notice() const;
    // Whether the text or its page is too long for the page to follow changes by itself.
    bool isPaused() const { return m_paused; }

    QToolBar* toolBar() const { return m_toolBar; }
    QAction* rerollAction() const { return m_reroll; }
    QAction* openInBrowserAction() const { return m_openInBrowser; }
    QAction* refreshAction() const { return m_refresh; }
    QLabel* momentLabel() const { return m_momentLabel; }

public slots:
    // Builds the page now, whatever the text's length.
    void refresh();
    // A new moment (never the one before) and its page.
    void reroll();
    // The moment the pages are built for from now on, and its page.
    void setMoment(std::time_t moment);
    // Writes exactly the previewed bytes to tmp.html, as GO!! writes it, and opens it.
    void openInBrowser();

signals:
    // The preview built its content anew: once for each change it followed.
    void updated();
    // The engine finished loading the page of currentPage().
    void pageLoaded();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createToolBar();
    void startEngine();
    void OnInputsChanged(InputChange change);
    void OnGoPageBuilt(qint64 moment, const QByteArray& page);
    // The end of a pause: the page follows unless it is paused or cannot be seen.
    void followChange();
    void rebuild(bool evenIfLong);
    // Paused, the banner says `why`.
    void setPaused(bool paused, const QString& why);
    void showPage(const QByteArray& page);
    void showNotice(const QString& text);
    void updateMomentLabel();
    void updateActions();
    void OnLoadingChanged(const QWebEngineLoadingInfo& loading);
    void OnEngineStopped();
    // The script that puts the next page where the reader was on this one.
    QString keepScrollScript() const;

    CMiretoView* m_view;
    PlatformServices m_services;
    std::time_t m_moment = 0;
    QByteArray m_page;
    QString m_engineProblem;
    bool m_paused = false;
    // A change came while the preview could not be seen.
    bool m_stale = true;
    // The engine must load again even an unchanged page (it failed or stopped).
    bool m_reloadNeeded = false;
    // The last load failed or the engine's page process stopped.
    bool m_failed = false;
    quint64 m_loadSerial = 0;
    quint64 m_loadedSerial = 0;
    QTimer m_typingPause;
    QTimer m_otherChange;

    QToolBar* m_toolBar = nullptr;
    QAction* m_reroll = nullptr;
    QAction* m_openInBrowser = nullptr;
    QAction* m_refresh = nullptr;
    QLabel* m_momentLabel = nullptr;
    QLabel* m_pauseBanner = nullptr;
    QStackedWidget* m_stack = nullptr;
    QLabel* m_notice = nullptr;

    QWebEngineProfile* m_profile = nullptr;
    PreviewSchemeHandler* m_scheme = nullptr;
    PreviewWebPage* m_webPage = nullptr;
    QWebEngineView* m_web = nullptr;
};

} // namespace mireto
