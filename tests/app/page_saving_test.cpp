// ﾌｧｲﾙ → ページを保存 through the program: the bytes GO!! writes for the preview's
// moment, the UTF-8 page of every style, the names and filters the chooser offers, and
// saves that fail (a folder nothing can be written into, a write cut short): the old
// file stays, nothing half-written is left, and the user may choose another place.
// ページを画像で保存 without the web engine is told apart here; its pictures are tested
// with the engine in page_picture_test.cpp.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/page_preview.h"
#include "app/page_saving.h"
#include "platform/atomic_file.h"
#include "tests/app/app_harness.h"
#include "tests/app/expected_page.h"
#include "tests/app/settings_files.h"
#include "tests/support/sjis.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unwritable_folder.h"

#include <QAction>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QtTest>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

QString styleName(OutputFormat format) {
    return QString::fromUtf8(utf8(kFormatNames[static_cast<std::size_t>(format)]).c_str());
}

// The value of the head's charset declaration.
QString declaredCharset(const QString& page) {
    static const QRegularExpression declaration(QStringLiteral("charset=\"?([A-Za-z0-9_-]+)"),
                                                QRegularExpression::CaseInsensitiveOption);
    return declaration.match(page).captured(1);
}

// The page with its charset declaration's value taken out.
QString withoutDeclaration(QString page) {
    const QString charset = declaredCharset(page);
    const qsizetype at = page.indexOf(QStringLiteral("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0)
        page.remove(page.indexOf(charset, at), charset.size());
    return page;
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// ～ and ① are code page 932's own; the sushi is not in Shift_JIS at all and reaches
// the page as a character reference.
const char* const kText = "なぜなら今日は晴れ。\n寿司🍣です、うまい～①。";

} // namespace

class PageSavingTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;

    bool startWithText(const char* text = kText) {
        if (!h->start())
            return false;
        h->view().SetEditorText(u(text));
        h->messages.clear();
        return true;
    }

    void savePage(const std::filesystem::path& file, int filter) {
        h->fileChoices.push_back({qtPath(file), filter});
        h->frame().action(cmd::kSavePage)->trigger();
    }

    std::string pageForThePreview() {
        return h->view().BuildPage(h->view().ConversionText(), h->preview().moment()).value();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { h.emplace(); }
    void cleanup() {
        setAtomicWriteHookForTesting({});
        h.reset();
    }

    void theSavedPageIsWhatGoWritesForThePreviewsMoment() {
        writeSettings(h->settingsFile(), {overallTemplate("", "だぴょん", "猫語", "標準的"),
                                          endingSet("だぴょん", "だぴょん", 100),
                                          replacementSet("猫語", "な", "にゃ")});
        QVERIFY(startWithText());
        // A moment of the preview's own, not the clock's.
        h->preview().reroll();
        h->preview().reroll();
        QCOMPARE(h->preview().moment(), kMoment + 2);
        const auto file = h->folder() / "kept.html";
        QSignalSpy saved(h->frame().pageSaver(), &PageSaver::saved);
        savePage(file, PageSaver::kSjisFilter);
        QCOMPARE(saved.count(), 1);
        QVERIFY(h->messages.empty());
        const std::string page = readFile(file);
        QCOMPARE(page, pageForThePreview());
        QCOMPARE(page, expectedPage(h->view(), OutputFormat::Standard, h->view().ConversionText(),
                                    kMoment + 2));
        QVERIFY(page.find(sjis("晴れだぴょん")) != std::string::npos);
        // GO!! at that moment writes the same bytes.
        h->services.clock = [] { return kMoment + 2; };
        h->frame().action(cmd::kGo)->trigger();
        QCOMPARE(readFile(h->pageFile()), page);
        // Saving over a kept page replaces it.
        h->view().SetEditorText(u("別の文。"));
        savePage(file, PageSaver::kSjisFilter);
        QCOMPARE(readFile(file), pageForThePreview());
        QVERIFY(readFile(file).find(sjis("別の文")) != std::string::npos);
    }

    void theUtf8PageIsTheSamePageDecodedForEveryStyle() {
        QVERIFY(startWithText());
        const std::string reference = "&#x1F363;";
        for (std::size_t position = 0; position < kFormatCount; ++position) {
            const auto format = static_cast<OutputFormat>(position);
            const QString name = styleName(format);
            h->choose(cmd::kComboFormat, name);
            const auto sjisFile = h->folder() / ("sjis" + std::to_string(position) + ".html");
            const auto utf8File = h->folder() / ("utf8" + std::to_string(position) + ".html");
            savePage(sjisFile, PageSaver::kSjisFilter);
            savePage(utf8File, PageSaver::kUtf8Filter);
            const std::string sjisPage = readFile(sjisFile);
            const std::string utf8Page = readFile(utf8File);
            QCOMPARE(sjisPage, pageForThePreview());

            QStringDecoder fromSjis("CP932", QStringDecoder::Flag::Stateless);
            const QString asSjis = fromSjis(QByteArray::fromStdString(sjisPage));
            QVERIFY2(!fromSjis.hasError(), qPrintable(name));
            QStringDecoder fromUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString asUtf8 = fromUtf8(QByteArray::fromStdString(utf8Page));
            QVERIFY2(!fromUtf8.hasError(), qPrintable(name));

            QCOMPARE(declaredCharset(asSjis).toLower(), u("shift_jis"));
            QCOMPARE(declaredCharset(asUtf8).toLower(), u("utf-8"));
            QCOMPARE(withoutDeclaration(asUtf8), withoutDeclaration(asSjis));
            QVERIFY2(asUtf8.contains(u("うまい～①")), qPrintable(name));
            // The character reference stays a reference.
            QVERIFY2(utf8Page.find(reference) != std::string::npos, qPrintable(name));
            QVERIFY2(sjisPage.find(reference) != std::string::npos, qPrintable(name));
        }
    }

    void theChooserOffersBothEncodingsAndTheDocumentsName() {
        QVERIFY(startWithText());
        h->frame().action(cmd::kSavePage)->trigger(); // cancelled
        QCOMPARE(h->fileRequests.size(), std::size_t{1});
        const FileRequest first = h->fileRequests[0];
        QVERIFY(first.save);
        QCOMPARE(first.caption, u("ページを保存"));
        QCOMPARE(QFileInfo(first.suggested).fileName(), u("Mireto.html"));
        QCOMPARE(first.filters.size(), 2);
        QVERIFY(first.filters[PageSaver::kSjisFilter].contains(u("Shift_JIS")));
        QVERIFY(first.filters[PageSaver::kUtf8Filter].contains(u("UTF-8")));
        QCOMPARE(first.filter, int{PageSaver::kSjisFilter});
        QCOMPARE(first.defaultSuffix, u("html"));
        QVERIFY(h->messages.empty());

        // A saved document names the page, in its folder; the encoding last chosen is
        // offered again.
        const auto diary = h->folder() / "日記.txt";
        h->nextFileChoice = qtPath(diary);
        h->answers = {MessageAnswer::Yes}; // as UTF-8, for the sushi
        h->frame().action(cmd::kFileSaveAs)->trigger();
        QCOMPARE(h->document().GetPathName(), qtPath(diary));
        savePage(h->folder() / "x.html", PageSaver::kUtf8Filter);
        h->nextFileChoice.clear();
        h->fileRequests.clear();
        h->frame().action(cmd::kSavePage)->trigger();
        QCOMPARE(h->fileRequests.size(), std::size_t{1});
        QCOMPARE(h->fileRequests[0].suggested, qtPath(h->folder() / "日記.html"));
        QCOMPARE(h->fileRequests[0].filter, int{PageSaver::kUtf8Filter});
    }

    void aFolderThatCannotBeWrittenIsNamedAndAnotherPlaceOffered() {
        QVERIFY(startWithText());
        const auto kept = h->folder() / "kept";
        const auto other = h->folder() / "other";
        std::filesystem::create_directories(kept);
        std::filesystem::create_directories(other);
        writeFile(kept / "page.html", "the old page");
        const UnwritableFolder locked(kept);
        if (!locked.isUnwritable())
            QSKIP("no folder can be made unwritable here");

        h->fileChoices = {{qtPath(kept / "page.html"), PageSaver::kSjisFilter}};
        h->answers = {MessageAnswer::Yes};
        h->nextFileChoice = qtPath(other / "page.html");
        QSignalSpy saved(h->frame().pageSaver(), &PageSaver::saved);
        h->frame().action(cmd::kSavePage)->trigger();

        QCOMPARE(h->messages.size(), std::size_t{1});
        const MessageRequest& told = h->messages[0].request;
        QVERIFY(told.icon == MessageIcon::Warning);
        QVERIFY(told.buttons == MessageButtons::YesNo);
        QVERIFY2(told.text.contains(u("フォルダ %1 にファイルを作れません").arg(qtPath(kept))),
                 qPrintable(told.text));
        QVERIFY2(told.text.contains(u("保存できません")), qPrintable(told.text));
        // The chooser came back at the place that failed.
        QCOMPARE(h->fileRequests.size(), std::size_t{2});
        QCOMPARE(h->fileRequests[1].suggested, qtPath(kept / "page.html"));
        QCOMPARE(readFile(kept / "page.html"), std::string("the old page"));
        QCOMPARE(namesIn(kept), std::vector<std::string>{"page.html"});
        QCOMPARE(readFile(other / "page.html"), pageForThePreview());
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved[0][0].toString(), qtPath(other / "page.html"));
    }

    void aWriteCutShortLeavesTheOldFileAndNothingHalfWritten() {
        QVERIFY(startWithText());
        const auto file = h->folder() / "page.html";
        writeFile(file, "the old page");
        setAtomicWriteHookForTesting([](const std::filesystem::path&) { return false; });
        QSignalSpy saved(h->frame().pageSaver(), &PageSaver::saved);
        h->answers = {MessageAnswer::No}; // not elsewhere
        savePage(file, PageSaver::kUtf8Filter);
        QCOMPARE(h->messages.size(), std::size_t{1});
        const QString told = h->messages[0].request.text;
        QVERIFY2(told.contains(qtPath(file)), qPrintable(told));
        QVERIFY2(told.contains(u("元のファイルはそのままです")), qPrintable(told));
        QCOMPARE(h->fileRequests.size(), std::size_t{1});
        QCOMPARE(saved.count(), 0);
        QCOMPARE(readFile(file), std::string("the old page"));
        const std::vector<std::string> names = namesIn(h->folder());
        QVERIFY(std::none_of(names.begin(), names.end(),
                             [](const std::string& name) { return name.starts_with(".page"); }));
    }

    void aWriteProtectedFileIsSaidToBeSoAndKept() {
        QVERIFY(startWithText());
        const auto file = h->folder() / "page.html";
        writeFile(file, "the old page");
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
        savePage(file, PageSaver::kSjisFilter);
        QCOMPARE(h->messages.size(), std::size_t{1});
        const QString told = h->messages[0].request.text;
        QVERIFY2(told.contains(qtPath(file)), qPrintable(told));
        QVERIFY2(told.contains(u("書き込み禁止")), qPrintable(told));
        QCOMPARE(readFile(file), std::string("the old page"));
    }

    void withoutAStyleThereIsNoPageToSave() {
        writeSettings(h->settingsFile(),
                      {overallTemplate("", "", "", "謎"), noneEndingSet(), noneReplacementSet()});
        QVERIFY(startWithText());
        h->nextFileChoice = qtPath(h->folder() / "none.html");
        h->frame().action(cmd::kSavePage)->trigger();
        QVERIFY(h->fileRequests.empty());
        QVERIFY(!std::filesystem::exists(h->folder() / "none.html"));
        QCOMPARE(h->messages.size(), std::size_t{1});
    }

    void thePictureNeedsTheEngine() {
        QVERIFY(startWithText());
        QAction* picture = h->frame().action(cmd::kSavePageImage);
        QVERIFY(!picture->isEnabled());
        QVERIFY(picture->statusTip().contains(u("ウェブエンジン")));
        QVERIFY(!h->frame().pageSaver()->canMakePicture());
        picture->trigger();
        QVERIFY(h->fileRequests.empty());
    }
};

QTEST_MAIN(PageSavingTest)
#include "page_saving_test.moc"
