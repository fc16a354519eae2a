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
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <ctime>
#include <string>

class QAction;
class QLabel;
class QToolButton;
class QStackedWidget;
class QToolBar;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace mireto {

class CMiretoDoc;
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
    // How long typing must pause before the page follows it, at most, and at least:
    // while updates are quick the pause is shortened towards the shortest (see
    // typingPause()).
    static constexpr int kTypingPauseMs = 300;
    static constexpr int kShortestTypingPauseMs = 150;

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
    // The pause typing waits for now: the longest while updates are slow, shorter while
    // the last update, from its start to its page loaded, was quick.
    int typingPause() const { return pauseAfter(m_lastUpdateMs); }
    // The pause after an update that took `updateMs` from its start to its page loaded
    // (negative: none timed yet).
    static int pauseAfter(qint64 updateMs);
    qint64 lastUpdateMs() const { return m_lastUpdateMs; }

    // The document whose file the mireto-convert command names.
    void setDocument(CMiretoDoc* document);
    // The mireto-convert command line that makes the page shown again; empty while
    // none shows.
    QString commandLine() const;

    QToolBar* toolBar() const { return m_toolBar; }
    QAction* rerollAction() const { return m_reroll; }
    QAction* openInBrowserAction() const { return m_openInBrowser; }
    QAction* refreshAction() const { return m_refresh; }
    // Shows the moment's date and time; its tool tip the command line, its menu コピー.
    QToolButton* momentButton() const { return m_momentButton; }
    QAction* copyCommandAction() const { return m_copyCommand; }

public slots:
    // Builds the page now, whatever the text's length.
    void refresh();
    // A new moment (never the one before) and its page.
    void reroll();
    // The moment the pages are built for from now on, and its page.
    void setMoment(std::time_t moment);
    // Writes exactly the previewed bytes to tmp.html, as GO!! writes it, and opens it.
    void openInBrowser();
    // Puts commandLine() on the clipboard.
    void copyCommand();

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
    // What the page shown was built from that decides whether a new page keeps the
    // reader's place: the overall template and the page style.
    std::string pageKind() const;
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
    // A change other than typing waits to be followed (a new document, say).
    bool m_otherPending = false;
    // The template and style of the page shown (pageKind()).
    std::string m_shownKind;
    // When the update under way started, and how long the last one took to load.
    qint64 m_updateStarted = -1;
    qint64 m_lastUpdateMs = -1;
    QElapsedTimer m_sinceStart;
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
    QToolButton* m_momentButton = nullptr;
    QAction* m_copyCommand = nullptr;
    QPointer<CMiretoDoc> m_document;
    QLabel* m_pauseBanner = nullptr;
    QStackedWidget* m_stack = nullptr;
    QLabel* m_notice = nullptr;

    QWebEngineProfile* m_profile = nullptr;
    PreviewSchemeHandler* m_scheme = nullptr;
    PreviewWebPage* m_webPage = nullptr;
    QWebEngineView* m_web = nullptr;
};

} // namespace mireto
