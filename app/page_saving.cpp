#include "app/page_saving.h"

#include "app/chosen_file.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/page_picture.h"
#include "app/page_preview.h"
#include "app/program_settings.h"
#include "app/program_title.h"
#include "convert/page_charset.h"
#include "widgets/message_box.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

namespace mireto {

namespace {

// The picture's steps, as the progress bar counts them.
constexpr int kSteps = 4;
constexpr int kStatusMessageMs = 5000;
// How long the preview may take to tell the width it lays the page out at.
constexpr int kMeasureMs = 2000;
// Where the picture's width is remembered, from one run to the next.
constexpr const char* kPictureWidthKey = "Picture/Width";

void tell(QWidget* parent, const QString& text, MessageIcon icon) {
    showMessage(parent, {text, programTitle(), icon, MessageButtons::Ok});
}

// Pixels, with the thousands marked: "16,000".
QString number(int value) {
    QLocale locale = QLocale::c();
    locale.setNumberOptions({});
    return locale.toString(value);
}

} // namespace

PageSaver::PageSaver(CMiretoView* view, PagePreview* preview, QStatusBar* statusBar,
                     QWidget* window)
    : QObject(window), m_view(view), m_preview(preview), m_window(window), m_statusBar(statusBar),
      m_pictureHeightLimit(PagePicture::kMaxHeight) {
    m_progressText = new QLabel(statusBar);
    m_progress = new QProgressBar(statusBar);
    m_progress->setObjectName(QStringLiteral("PictureProgress"));
    m_progress->setRange(0, kSteps);
    m_progress->setMaximumWidth(120);
    m_progress->setTextVisible(false);
    m_stop = new QToolButton(statusBar);
    m_stop->setObjectName(QStringLiteral("PictureStop"));
    m_stop->setText(QStringLiteral("中止"));
    m_stop->setToolTip(QStringLiteral("画像の作成をやめる"));
    connect(m_stop, &QToolButton::clicked, this, &PageSaver::stopPicture);
    statusBar->addPermanentWidget(m_progressText);
    statusBar->addPermanentWidget(m_progress);
    statusBar->addPermanentWidget(m_stop);
    setProgressShown(false);
}

void PageSaver::setProgressShown(bool shown) {
    for (QWidget* part : {static_cast<QWidget*>(m_progressText), static_cast<QWidget*>(m_progress),
                          static_cast<QWidget*>(m_stop)})
        part->setVisible(shown);
}

PageSaver::~PageSaver() {
    if (m_encoder) {
        m_encoder->wait();
        delete m_encoder;
    }
}

void PageSaver::setDocument(CMiretoDoc* document) {
    m_document = document;
}

bool PageSaver::canMakePicture() const {
    return m_preview->engineProblem().isEmpty();
}

std::optional<std::string> PageSaver::pageNow() const {
    std::optional<std::string> page =
        m_view->BuildPage(m_view->ConversionText(), m_preview->moment());
    if (!page)
        tell(m_window,
             QStringLiteral("出力HTML形式が選ばれていないため、保存するページがありません。"),
             MessageIcon::Information);
    return page;
}

QString PageSaver::suggestedPath(const QString& extension) const {
    const QString document = m_document ? m_document->GetPathName() : QString();
    const QString name =
        document.isEmpty() ? QStringLiteral("Mireto") : QFileInfo(document).completeBaseName();
    QString folder = m_lastFolder;
    if (!document.isEmpty())
        folder = QFileInfo(document).absolutePath();
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + extension);
}

void PageSaver::rememberFolder(const QString& path) {
    m_lastFolder = QFileInfo(path).absolutePath();
}

FileRequest PageSaver::pageRequest() const {
    FileRequest request;
    request.save = true;
    request.caption = QStringLiteral("ページを保存");
    request.suggested = suggestedPath(QStringLiteral(".html"));
    request.filters = {QStringLiteral("HTML ﾌｧｲﾙ、Shift_JIS (*.html *.htm)"),
                       QStringLiteral("HTML ﾌｧｲﾙ、UTF-8 (*.html *.htm)")};
    request.filter = m_lastPageFilter;
    request.defaultSuffix = QStringLiteral("html");
    return request;
}

FileRequest PageSaver::pictureRequest() const {
    FileRequest request;
    request.save = true;
    request.caption = QStringLiteral("ページを画像で保存");
    request.suggested = suggestedPath(QStringLiteral(".png"));
    // The chooser's file types are the widths: a reader expects a page about as wide as
    // a browser window, whatever the width of the preview beside the text.
    const int remembered =
        programSettings().value(QString::fromLatin1(kPictureWidthKey), kDefaultWidth).toInt();
    for (std::size_t at = 0; at < std::size(kPictureWidths); ++at) {
        const int width = kPictureWidths[at];
        request.filters.append(width == kPreviewWidth
                                   ? QStringLiteral("PNG 画像、幅はプレビューと同じ (*.png)")
                                   : QStringLiteral("PNG 画像、幅 %1 ピクセル (*.png)").arg(width));
        if (width == remembered)
            request.filter = static_cast<int>(at);
    }
    request.defaultSuffix = QStringLiteral("png");
    return request;
}

int PageSaver::chosenPictureWidth(int filter) {
    if (filter < 0 || filter >= static_cast<int>(std::size(kPictureWidths)))
        return kDefaultWidth;
    return kPictureWidths[static_cast<std::size_t>(filter)];
}

void PageSaver::OnSavePage() {
    const std::optional<std::string> page = pageNow();
    if (!page)
        return;
    const FileRequest request = pageRequest();
    const FileChoice written =
        writeChosenFile(m_window, request, askFile(m_window, request), [&](int filter) {
            return filter == kUtf8Filter ? pageAsUtf8(*page) : *page;
        });
    if (written.path.isEmpty())
        return;
    m_lastPageFilter = written.filter == kUtf8Filter ? kUtf8Filter : kSjisFilter;
    rememberFolder(written.path);
    m_statusBar->showMessage(QStringLiteral("ページを %1 に保存しました").arg(written.path),
                             kStatusMessageMs);
    emit saved(written.path);
}

void PageSaver::OnSavePageImage() {
    if (isMakingPicture() || !canMakePicture())
        return;
    const std::optional<std::string> page = pageNow();
    if (!page)
        return;
    m_pictureRequest = pictureRequest();
    m_pictureChoice = askFile(m_window, m_pictureRequest);
    if (m_pictureChoice.path.isEmpty())
        return;
    const int width = chosenPictureWidth(m_pictureChoice.filter);
    programSettings().setValue(QString::fromLatin1(kPictureWidthKey), width);
    m_stopped = false;
    m_picture = new PagePicture(QByteArray::fromStdString(*page), m_pictureHeightLimit, this);
    connect(m_picture, &PagePicture::progressed, this, [this](PagePicture::Stage stage) {
        switch (stage) {
        case PagePicture::Stage::Loading:
            showProgress(QStringLiteral("画像を作成中: ページを読み込んでいます"), 0);
            break;
        case PagePicture::Stage::Measuring:
            showProgress(QStringLiteral("画像を作成中: ページの高さを測っています"), 1);
            break;
        case PagePicture::Stage::Drawing:
            showProgress(QStringLiteral("画像を作成中: ページを描いています"), 2);
            break;
        case PagePicture::Stage::Done:
            break;
        }
    });
    connect(m_picture, &PagePicture::finished, this, &PageSaver::OnPictureFinished);
    emit pictureStateChanged();

    if (width != kPreviewWidth) {
        m_picture->start(width);
        return;
    }
    // The page is laid out as wide as the preview lays it out: the preview's view less
    // its scroll bar, which the engine alone knows.
    QWebEngineView* shown = m_preview->webView();
    if (!shown || !shown->isVisible() || !m_preview->isPageLoaded()) {
        m_picture->start(kDefaultWidth);
        return;
    }
    showProgress(QStringLiteral("画像を作成中: プレビューの幅を測っています"), 0);
    QPointer<PagePicture> picture(m_picture);
    const int fallback = shown->width();
    m_preview->webPage()->runJavaScript(
        QStringLiteral("document.documentElement.clientWidth"), QWebEngineScript::ApplicationWorld,
        [picture, fallback](const QVariant& width) {
            if (picture)
                picture->start(width.toInt() > 0 ? width.toInt() : fallback);
        });
    // A preview busy loading another page may answer late: the view's width then does.
    QTimer::singleShot(kMeasureMs, m_picture, [picture, fallback] {
        if (picture)
            picture->start(fallback);
    });
}

void PageSaver::showProgress(const QString& text, int step) {
    m_progressText->setText(text);
    m_progress->setValue(step);
    setProgressShown(true);
}

void PageSaver::OnPictureFinished() {
    PagePicture* picture = m_picture;
    m_picture = nullptr;
    picture->deleteLater();
    if (!picture->problem().isEmpty()) {
        endPicture();
        tell(m_window,
             QStringLiteral("ページの画像を作れませんでした。\n%1").arg(picture->problem()),
             MessageIcon::Warning);
        return;
    }
    m_pageHeight = picture->pageHeight();
    m_pictureHeight = picture->image().height();
    m_cut = picture->isCut();
    showProgress(QStringLiteral("画像を作成中: PNG に変換しています"), 3);
    // Compressing tens of megabytes of pixels takes a while: not on the window's thread.
    auto png = std::make_shared<QByteArray>();
    m_encoder = QThread::create([image = picture->image(), png] {
        QBuffer buffer(png.get());
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    });
    connect(m_encoder, &QThread::finished, this, [this, png] {
        m_encoder->deleteLater();
        m_encoder = nullptr;
        if (m_stopped)
            endPicture();
        else
            savePicture(*png);
    });
    m_encoder->start();
}

void PageSaver::savePicture(const QByteArray& png) {
    endPicture();
    if (png.isEmpty()) {
        tell(m_window, QStringLiteral("ページの画像を PNG にできませんでした。"),
             MessageIcon::Warning);
        return;
    }
    const std::string bytes = png.toStdString();
    const FileChoice written = writeChosenFile(m_window, m_pictureRequest, m_pictureChoice,
                                               [&bytes](int) { return bytes; });
    if (written.path.isEmpty())
        return;
    rememberFolder(written.path);
    if (m_cut) {
        tell(m_window,
             QStringLiteral("ページの高さは %1 ピクセルあります。画像にできるのは %2 ピクセル"
                            "までなので、上から %3 ピクセルまでを保存しました。")
                 .arg(number(m_pageHeight), number(m_pictureHeightLimit), number(m_pictureHeight)),
             MessageIcon::Information);
    }
    m_statusBar->showMessage(QStringLiteral("ページの画像を %1 に保存しました").arg(written.path),
                             kStatusMessageMs);
    emit saved(written.path);
}

void PageSaver::stopPicture() {
    m_stopped = true;
    if (m_picture) {
        m_picture->cancel();
        m_picture->deleteLater();
        m_picture = nullptr;
    }
    // An encoder that is running finishes on its own; its result is then dropped.
    endPicture();
}

void PageSaver::endPicture() {
    setProgressShown(false);
    emit pictureStateChanged();
}

} // namespace mireto
