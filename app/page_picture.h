// A picture of a whole page as the preview's engine draws it. The page is loaded into a
// web view of its own that never shows on the screen, as wide as asked and as tall as
// the page, so that the engine lays out and draws all of it at once, and is grabbed once
// the engine shows it whole. Everything happens in steps on the event loop: the window
// stays responsive, and progressed() tells how far it got.
//
// The picture is at most kMaxHeight (16,000) pixels tall; a taller page is cut there.
// Graphics drivers draw nothing into a surface taller than their largest texture,
// 16,384 pixels on many of them (the software renderer under Xvfb included), and the
// view is a pixel taller than the picture (see page_picture.cpp); a picture that tall
// is already some fifty megabytes in memory.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QWebEngineProfile;
class QWebEngineView;

namespace mireto {

class PreviewSchemeHandler;
class PreviewWebPage;

class PagePicture : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxHeight = 16000;
    // How long the engine may take to load and draw before the picture is given up.
    static constexpr int kTimeoutMs = 60000;

    enum class Stage { Loading, Measuring, Drawing, Done };

    // `page` as the preview gets it (Shift_JIS bytes), at most `maxHeight` pixels tall.
    explicit PagePicture(QByteArray page, int maxHeight = kMaxHeight, QObject* parent = nullptr);
    ~PagePicture() override;

    // Lays the page out `width` pixels wide and draws it; only the first call counts.
    void start(int width);
    bool isStarted() const { return m_width > 0; }
    // Stops; finished() is not emitted.
    void cancel();

    // Once finished: the picture, or why there is none.
    const QImage& image() const { return m_image; }
    const QString& problem() const { return m_problem; }
    // The page's height in the engine's pixels, and whether the picture is cut short.
    int pageHeight() const { return m_pageHeight; }
    bool isCut() const { return m_cut; }

signals:
    void progressed(mireto::PagePicture::Stage stage);
    void finished();

private:
    void OnLoaded(bool ok);
    void OnMeasured(int height);
    void waitForViewport();
    void placeMarkers();
    void checkDrawn();
    void fail(const QString& problem);
    void finish();

    QByteArray m_page;
    int m_maxHeight;
    int m_width = 0;
    int m_shownHeight = 0;
    int m_pageHeight = 0;
    bool m_cut = false;
    bool m_done = false;
    QImage m_image;
    QString m_problem;
    QTimer m_poll;
    QTimer m_timeout;
    QWebEngineProfile* m_profile = nullptr;
    PreviewSchemeHandler* m_scheme = nullptr;
    PreviewWebPage* m_webPage = nullptr;
    QWebEngineView* m_view = nullptr;
};

} // namespace mireto
