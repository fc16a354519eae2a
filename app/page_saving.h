// Keeping the previewed page: ﾌｧｲﾙ → ページを保存 writes it as HTML (Shift_JIS, as the
// page is made, or UTF-8), ﾌｧｲﾙ → ページを画像で保存 as a PNG of the whole page at the
// preview's width. Both take the page GO!! would write for the preview's moment, built
// from the inputs as they are when the command is given; both write in one step, and a
// failed write names the file and the reason and offers another place.
//
// The picture takes a few moments: the window stays responsive meanwhile, the status
// bar shows how far it got with a button to stop it, and the command waits until it is
// done.
#pragma once

#include "app/file_dialogs.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;
class QStatusBar;
class QThread;
class QToolButton;
class QWidget;

namespace mireto {

class CMiretoDoc;
class CMiretoView;
class PagePicture;
class PagePreview;

class PageSaver : public QObject {
    Q_OBJECT
public:
    // The chooser's filters of the page save, in order.
    enum PageFilter { kSjisFilter = 0, kUtf8Filter = 1 };
    // The picture's width at first, and while the preview does not show.
    static constexpr int kDefaultWidth = 800;
    // The widths the chooser offers, in its filters' order; kPreviewWidth stands for
    // the width the preview lays the page out at.
    static constexpr int kPreviewWidth = 0;
    static constexpr int kPictureWidths[] = {600, 800, 1024, kPreviewWidth};
    // The width a filter of the picture's chooser stands for.
    static int chosenPictureWidth(int filter);

    PageSaver(CMiretoView* view, PagePreview* preview, QStatusBar* statusBar, QWidget* window);
    ~PageSaver() override;

    // The document whose name the files are named after.
    void setDocument(CMiretoDoc* document);

    // Whether a picture can be made here: the preview's engine runs.
    bool canMakePicture() const;
    bool isMakingPicture() const { return m_picture != nullptr || m_encoder != nullptr; }

    // The tallest picture made, in pixels; taller pages are cut there (and the user is
    // told). PagePicture::kMaxHeight unless a test wants less.
    void setPictureHeightLimit(int pixels) { m_pictureHeightLimit = pixels; }

    // The status bar's progress of the picture, and its stop button.
    QProgressBar* progressBar() const { return m_progress; }
    QToolButton* stopButton() const { return m_stop; }

public slots:
    void OnSavePage();
    void OnSavePageImage();
    void stopPicture();

signals:
    // A picture was started, or it ended (saved, failed or stopped).
    void pictureStateChanged();
    // A file was written: the page or its picture.
    void saved(const QString& path);

private:
    std::optional<std::string> pageNow() const;
    FileRequest pageRequest() const;
    FileRequest pictureRequest() const;
    QString suggestedPath(const QString& extension) const;
    void rememberFolder(const QString& path);
    void showProgress(const QString& text, int step);
    void setProgressShown(bool shown);
    void OnPictureFinished();
    void savePicture(const QByteArray& png);
    void endPicture();

    CMiretoView* m_view;
    PagePreview* m_preview;
    QWidget* m_window;
    QStatusBar* m_statusBar;
    QPointer<CMiretoDoc> m_document;
    QString m_lastFolder;
    int m_lastPageFilter = kSjisFilter;

    PagePicture* m_picture = nullptr;
    QThread* m_encoder = nullptr;
    FileRequest m_pictureRequest;
    FileChoice m_pictureChoice;
    int m_pageHeight = 0;
    int m_pictureHeight = 0;
    bool m_cut = false;
    bool m_stopped = false;
    int m_pictureHeightLimit = 0;

    QLabel* m_progressText = nullptr;
    QProgressBar* m_progress = nullptr;
    QToolButton* m_stop = nullptr;
};

} // namespace mireto
