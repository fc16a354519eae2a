// Templates and sets as files, through the menus: what the export dialog offers and
// writes, what the import dialog shows and does with taken names, files that are
// refused, the panel afterwards, and an exported template on the command line.
#include "app/command_ids.h"
#include "app/exchange_folder.h"
#include "app/file_dialogs.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "settings/dialogs/import_dlg.h"
#include "settings/template_exchange.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <deque>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

const CurrentSelection kRabbit = rabbitSelection();

// Page settings of the editor that are none of the defaults.
FormatSettings ownSettings() {
    FormatSettings settings;
    settings.thread.title = sjis("うさぎスレ");
    settings.thread.name = sjis("うさ");
    settings.thread.mode = ThreadSettings::GoodThread;
    settings.standardColours = {"#102030", "#F0E0D0"};
    return settings;
}

// A settings file holding the none sets alone.
void writeEmptySettings(const std::filesystem::path& path) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    SaveSettingsAtShutdown(path, store, {},
                           {overallTemplate("", "無し", "無し", "フォント弄り"), noneEndingSet(),
                            noneReplacementSet()});
}

QTreeWidget* recordList(QDialog& dialog) {
    return child<QTreeWidget>(&dialog, "recordList");
}

// The entry named `name` under the heading of `kind`, or null.
QTreeWidgetItem* entry(QDialog& dialog, RecordKind kind, const char* name) {
    QTreeWidgetItem* heading = recordList(dialog)->topLevelItem(static_cast<int>(kind));
    for (int at = 0; at < heading->childCount(); ++at) {
        if (heading->child(at)->text(0) == u(name))
            return heading->child(at);
    }
    qWarning("no entry %s", name);
    return nullptr;
}

QStringList entries(QDialog& dialog, RecordKind kind) {
    QStringList names;
    QTreeWidgetItem* heading = recordList(dialog)->topLevelItem(static_cast<int>(kind));
    for (int at = 0; at < heading->childCount(); ++at)
        names.append(heading->child(at)->text(0));
    return names;
}

bool ticked(const QTreeWidgetItem* item) {
    return item->checkState(0) == Qt::Checked;
}

// Ticks or unticks as a click on the box does.
void tick(QTreeWidgetItem* item, bool on) {
    QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
    item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

// Opens the choice beside a taken name, as a click does.
QComboBox* conflict(QDialog& dialog, RecordKind kind, int index) {
    return static_cast<CImportDlg&>(dialog).conflictChoice(kind, static_cast<std::size_t>(index));
}

bool okEnabled(QDialog& dialog) {
    return child<QPushButton>(&dialog, "okButton")->isEnabled();
}

std::vector<std::string> storedNames(const SettingsStore& store, RecordKind kind) {
    std::vector<std::string> names;
    const std::size_t count = kind == RecordKind::OverallTemplate ? store.overallTemplateCount()
                              : kind == RecordKind::EndingSet     ? store.endingSetCount()
                                                                  : store.replacementSetCount();
    for (std::size_t p = 0; p < count; ++p) {
        names.push_back(kind == RecordKind::OverallTemplate ? store.GetOverallTemplate(p).name
                        : kind == RecordKind::EndingSet     ? store.GetEndingSet(p).name
                                                            : store.GetReplacementSet(p).name);
    }
    return names;
}

} // namespace

class TemplateExchangeTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;
    QTemporaryDir shared;
    // What the file choosers answer, in order (empty: cancel), and what they were asked.
    std::deque<QString> fileAnswers;
    QStringList suggestedNames;

    std::filesystem::path sharedFile(const char* name) const {
        return std::filesystem::path(shared.path().toStdString()) / name;
    }

    bool startWith(const CurrentSelection& current, const FormatSettings& settings = {}) {
        writeSettings(h->settingsFile(), current, settings);
        return startAnswering();
    }

    bool startAnswering() {
        if (!h->start())
            return false;
        setFileRequestHandlerForTesting([this](const FileRequest& request) {
            suggestedNames.append(request.suggested);
            if (fileAnswers.empty())
                return FileChoice{};
            const QString answer = fileAnswers.front();
            fileAnswers.pop_front();
            return FileChoice{answer, request.filter};
        });
        return true;
    }

    QString exportVia(const std::function<void(QDialog&)>& act) {
        return runDialog(h->menuCommand("テンプレート作成", "書き出し(&E)..."), act);
    }
    QString importVia(const std::function<void(QDialog&)>& act) {
        return runDialog(h->menuCommand("テンプレート作成", "読み込み(&I)..."), act);
    }

    static void accept(QDialog& dialog) { click(&dialog, "okButton"); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        h.emplace();
        fileAnswers.clear();
        suggestedNames.clear();
    }
    void cleanup() { h.reset(); }

    void theExportDialogTicksTheCurrentTemplateAndTheSetsItBrings() {
        QVERIFY(startWith(kRabbit));
        QString caption;
        const QString opened = exportVia([&](QDialog& dialog) {
            caption = dialog.windowTitle();
            QCOMPARE(entries(dialog, RecordKind::OverallTemplate),
                     (QStringList{u("うさぎ"), u("ねこ"), u("謎")}));
            // The none sets are in every store and never exported.
            QCOMPARE(entries(dialog, RecordKind::EndingSet), QStringList{u("だぴょん")});
            QTreeWidgetItem* rabbit = entry(dialog, RecordKind::OverallTemplate, "うさぎ");
            QTreeWidgetItem* ending = entry(dialog, RecordKind::EndingSet, "だぴょん");
            QTreeWidgetItem* rules = entry(dialog, RecordKind::ReplacementSet, "猫語");
            QVERIFY(ticked(rabbit));
            QVERIFY(ticked(ending) && ticked(rules));
            // Brought by the template: shown so, and not to be left out.
            QCOMPARE(ending->text(1), u("テンプレートと一緒に"));
            QVERIFY(!(ending->flags() & Qt::ItemIsUserCheckable));

            tick(rabbit, false);
            QVERIFY(!ticked(ending) && !ticked(rules));
            QVERIFY(!okEnabled(dialog));
            // A set alone, which stays ticked when a template brings it and goes again.
            tick(rules, true);
            tick(rabbit, true);
            tick(rabbit, false);
            QVERIFY(ticked(rules) && !ticked(ending));
            QVERIFY(okEnabled(dialog));
            accept(dialog);
        });
        QCOMPARE(opened, u("mireto::CExportDlg"));
        QCOMPARE(caption, u("テンプレート書き出し"));
        // The chooser was cancelled: nothing written, nothing said.
        QCOMPARE(suggestedNames, QStringList{QDir::home().filePath(u("猫語.ini"))});
        QVERIFY(h->messages.empty());
    }

    void exportingAndImportingGivesEqualRecords() {
        QVERIFY(startWith(kRabbit));
        const SettingsStore original = h->view().store();
        const QString path = QString::fromStdString(sharedFile("rabbit.ini").string());
        fileAnswers = {path};
        exportVia([](QDialog& dialog) {
            tick(entry(dialog, RecordKind::OverallTemplate, "謎"), true);
            accept(dialog);
        });
        QCOMPARE(suggestedNames, QStringList{QDir::home().filePath(u("うさぎ.ini"))});
        QVERIFY(h->messages.empty());
        QVERIFY(std::filesystem::exists(sharedFile("rabbit.ini")));

        // Into a program that has none of them.
        h.emplace();
        writeEmptySettings(h->settingsFile());
        QVERIFY(startAnswering());
        QCOMPARE(h->items(cmd::kComboTemplate), QStringList{});
        fileAnswers = {path};
        QString caption;
        importVia([&](QDialog& dialog) {
            caption = dialog.windowTitle();
            QCOMPARE(entries(dialog, RecordKind::OverallTemplate),
                     (QStringList{u("うさぎ"), u("謎")}));
            // Everything ticked, no name taken.
            QVERIFY(ticked(entry(dialog, RecordKind::EndingSet, "だぴょん")));
            QVERIFY(!conflict(dialog, RecordKind::EndingSet, 0));
            accept(dialog);
        });
        QCOMPARE(caption, u("テンプレート読み込み"));
        const SettingsStore& store = h->view().store();
        QCOMPARE(store.GetOverallTemplate(0), original.GetOverallTemplate(0));
        QCOMPARE(store.GetOverallTemplate(1), original.GetOverallTemplate(2));
        QCOMPARE(store.GetEndingSet(1), original.GetEndingSet(1));
        QCOMPARE(store.GetReplacementSet(1), original.GetReplacementSet(1));
        QCOMPARE(store.overallTemplateCount(), std::size_t{2});
        // The panel lists them at once.
        QCOMPARE(h->items(cmd::kComboTemplate), (QStringList{u("うさぎ"), u("謎")}));
        QCOMPARE(h->items(cmd::kComboEnding), (QStringList{u("無し"), u("だぴょん")}));
        QCOMPARE(h->items(cmd::kComboReplacement), (QStringList{u("無し"), u("猫語")}));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.caption, u("テンプレート読み込み完了"));
        QCOMPARE(h->messages[0].request.text, u("4 件を読み込みました。"));
        // And they reach Mireto.ini at exit.
        QVERIFY(h->close());
        SettingsStore reread;
        FormatSettings settings;
        CurrentSelection current;
        LoadSettingsAtStartup(h->settingsFile(), reread, settings, current);
        QCOMPARE(reread.GetOverallTemplate(0), original.GetOverallTemplate(0));
        QCOMPARE(reread.GetEndingSet(1), original.GetEndingSet(1));
    }

    void eachConflictChoiceDoesWhatItSays() {
        QVERIFY(startWith(kRabbit));
        const SettingsStore before = h->view().store();
        const SharedRecords records{
            {overallTemplate("うさぎ", "だぴょん", "猫語", "標準的"),
             overallTemplate("いぬ", "わん", "無し", "標準的")},
            {endingSet("だぴょん", "ぴょーん", 50), endingSet("わん", "わん", 100)},
            {replacementSet("猫語", "の", "にゃ")}};
        writeFile(sharedFile("friend.ini"), SharedFileBytes(records, {}));
        fileAnswers = {QString::fromStdString(sharedFile("friend.ini").string())};
        importVia([](QDialog& dialog) {
            QVERIFY(!conflict(dialog, RecordKind::OverallTemplate, 1)); // いぬ is free
            QVERIFY(conflict(dialog, RecordKind::ReplacementSet, 0));
            // Nothing is lost unless the user says so.
            QComboBox* rabbit = conflict(dialog, RecordKind::OverallTemplate, 0);
            QVERIFY(rabbit);
            QCOMPARE(rabbit->currentText(), u("両方残す"));
            pick(rabbit, 2);
            QComboBox* ending = conflict(dialog, RecordKind::EndingSet, 0);
            QVERIFY(ending);
            QCOMPARE(items(ending), (QStringList{u("上書き"), u("両方残す"), u("スキップ")}));
            pick(ending, 0);
            accept(dialog);
        });
        const SettingsStore& store = h->view().store();
        // 上書き: the stored set holds the file's words under its name.
        QCOMPARE(store.GetEndingSet(1), records.endingSets[0]);
        // 両方残す: both, the file's under a new name.
        QCOMPARE(store.GetReplacementSet(1), before.GetReplacementSet(1));
        ReplacementSet second = records.replacementSets[0];
        second.name = sjis("猫語 (2)");
        QCOMPARE(store.GetReplacementSet(2), second);
        // スキップ: the stored template stays as it was.
        QCOMPARE(store.GetOverallTemplate(1), before.GetOverallTemplate(0));
        QCOMPARE(store.GetOverallTemplate(0), records.templates[1]);
        QCOMPARE(h->items(cmd::kComboTemplate),
                 (QStringList{u("いぬ"), u("うさぎ"), u("ねこ"), u("謎")}));
        QCOMPARE(h->items(cmd::kComboReplacement),
                 (QStringList{u("無し"), u("猫語"), u("猫語 (2)")}));
        QCOMPARE(h->items(cmd::kComboEnding), (QStringList{u("無し"), u("だぴょん"), u("わん")}));
        // The current records are the view's own copies: an import changes no choice.
        QCOMPARE(h->view().currentEndingSet(), kRabbit.endingSet);
        QCOMPARE(h->combo(cmd::kComboTemplate).currentText(), u("うさぎ"));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text, u("4 件を読み込みました。\n"
                                                "「だぴょん」を上書きしました。\n"
                                                "「猫語」は「猫語 (2)」として読み込みました。\n"
                                                "「うさぎ」は読み込みませんでした。"));
    }

    void aLargeImportReportsItsFirstNotesOnly() {
        QVERIFY(startWith(kRabbit));
        // Twenty-five templates whose ending set is nowhere: a note for each.
        SharedRecords records;
        for (int i = 10; i < 35; ++i) {
            records.templates.push_back(
                overallTemplate(("t" + std::to_string(i)).c_str(), "消えた語尾", "無し", "標準的"));
        }
        writeFile(sharedFile("many.ini"), SharedFileBytes(records, {}));
        fileAnswers = {QString::fromStdString(sharedFile("many.ini").string())};
        importVia(accept);
        QCOMPARE(h->items(cmd::kComboTemplate).size(), 28);
        QCOMPARE(h->messages.size(), std::size_t{1});
        const QStringList lines = h->messages[0].request.text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 22);
        QCOMPARE(lines.first(), u("25 件を読み込みました。"));
        QCOMPARE(
            lines[1],
            u("テンプレート「t10」の語尾変換「消えた語尾」がありません（無しで変換します）。"));
        QCOMPARE(
            lines[20],
            u("テンプレート「t29」の語尾変換「消えた語尾」がありません（無しで変換します）。"));
        QCOMPARE(lines.last(), u("ほか 5 件。"));
    }

    void aTemplateWhoseSetsAreMissingComesWithANote() {
        QVERIFY(startWith(kRabbit));
        const SharedRecords records{{overallTemplate("きつね", "こん", "狐語", "標準的"),
                                     overallTemplate("たぬき", "ぽん", "猫語", "標準的")},
                                    {endingSet("こん", "こん", 100)},
                                    {}};
        writeFile(sharedFile("fox.ini"), SharedFileBytes(records, {}));
        fileAnswers = {QString::fromStdString(sharedFile("fox.ini").string())};
        importVia([](QDialog& dialog) {
            QTreeWidgetItem* fox = entry(dialog, RecordKind::OverallTemplate, "きつね");
            QTreeWidgetItem* badger = entry(dialog, RecordKind::OverallTemplate, "たぬき");
            QCOMPARE(fox->text(2), u("置換「狐語」がありません（無しで変換します）"));
            // 猫語 is stored already; ぽん is nowhere.
            QCOMPARE(badger->text(2), u("語尾変換「ぽん」がありません（無しで変換します）"));
            // Left out, the file's こん goes missing too; a template not ticked says nothing.
            tick(entry(dialog, RecordKind::EndingSet, "こん"), false);
            QCOMPARE(fox->text(2), u("語尾変換と置換がありません（無しで変換します）"));
            tick(badger, false);
            QCOMPARE(badger->text(2), QString());
            accept(dialog);
        });
        const SettingsStore& store = h->view().store();
        QCOMPARE(store.GetOverallTemplate(1), records.templates[0]);
        QCOMPARE(store.endingSetCount(), std::size_t{2});
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("1 件を読み込みました。\n"
                   "テンプレート「きつね」の語尾変換「こん」がありません（無しで変換します）。\n"
                   "テンプレート「きつね」の置換「狐語」がありません（無しで変換します）。"));
    }

    void filesThatAreNoSettingsFilesChangeNothing() {
        QVERIFY(startWith(kRabbit));
        const SettingsStore before = h->view().store();
        const QStringList templates = h->items(cmd::kComboTemplate);
        const QStringList endings = h->items(cmd::kComboEnding);
        writeFile(sharedFile("note.txt"), sjis("今日は晴れ。\r\n"));
        // A valid file but for a template name holding a CR, as a hostile file might.
        const SharedRecords hostile{{overallTemplate("うさぎ\rいぬ", "無し", "無し", "標準的")},
                                    {endingSet("だぴょん", "x", 1)},
                                    {}};
        writeFile(sharedFile("hostile.ini"), SharedFileBytes(hostile, {}));
        std::string truncated =
            SharedFileBytes({{overallTemplate("うさぎ", "無し", "無し", "標準的")}, {}, {}}, {});
        truncated.resize(truncated.size() - 6);
        writeFile(sharedFile("cut.ini"), truncated);

        const auto expectRefused = [&](const char* file, const QString& why) {
            h->messages.clear();
            const QString path = QString::fromStdString(sharedFile(file).string());
            fileAnswers = {path};
            QCOMPARE(importVia({}), QString()); // no import dialog opens
            QCOMPARE(h->messages.size(), std::size_t{1});
            QCOMPARE(h->messages[0].request.text, path + why + u("\n何も読み込んでいません。"));
            QCOMPARE(h->messages[0].request.icon, MessageIcon::Warning);
            const SettingsStore& store = h->view().store();
            for (RecordKind kind :
                 {RecordKind::OverallTemplate, RecordKind::EndingSet, RecordKind::ReplacementSet})
                QCOMPARE(storedNames(store, kind), storedNames(before, kind));
            QCOMPARE(store.GetEndingSet(1), before.GetEndingSet(1));
            QCOMPARE(h->items(cmd::kComboTemplate), templates);
            QCOMPARE(h->items(cmd::kComboEnding), endings);
        };
        expectRefused(
            "note.txt",
            u(" は設定ファイルではないか、壊れています。\n1 行目がHTML設定の行として読めません。"));
        expectRefused("hostile.ini",
                      u(" は設定ファイルではないか、壊れています。\n"
                        "12 行目（全体テンプレート）に改行などの制御文字があります。"));
        expectRefused("cut.ini",
                      u(" は設定ファイルではないか、壊れています。\n"
                        "全体テンプレートの終わりを示す「----」がありません（13 行目）。"));
        expectRefused("gone.ini", u(" が見つかりません。"));
        h->messages.clear();
        fileAnswers = {shared.path()};
        importVia({});
        QCOMPARE(h->messages.at(0).request.text,
                 shared.path() + u(" はファイルではありません。\n何も読み込んでいません。"));
    }

    void anExportThatCannotBeWrittenSaysWhyAndAsksAgain() {
        QVERIFY(startWith(kRabbit));
        const QString nowhere = QString::fromStdString(sharedFile("gone/rabbit.ini").string());
        const QString good = QString::fromStdString(sharedFile("rabbit.ini").string());
        fileAnswers = {nowhere, good};
        exportVia(accept);
        QCOMPARE(suggestedNames, (QStringList{QDir::home().filePath(u("うさぎ.ini")), nowhere}));
        QCOMPARE(h->messages.size(), std::size_t{1});
        const QString text = h->messages[0].request.text;
        QVERIFY2(text.startsWith(nowhere + u(" に書き出せません。\n")), qPrintable(text));
        QVERIFY2(text.contains(u("フォルダがありません")), qPrintable(text));
        QVERIFY(text.endsWith(u("別の場所を選んで下さい。")));
        QCOMPARE(h->messages[0].request.caption, u("ソルネ壱号"));
        QVERIFY(std::filesystem::exists(sharedFile("rabbit.ini")));
        QVERIFY(!std::filesystem::exists(sharedFile("gone")));
    }

    void anExportSaysSoAndTheChoosersStartWhereTheLastFileWas() {
        QVERIFY(startWith(kRabbit));
        const QString path = QString::fromStdString(sharedFile("rabbit.ini").string());
        fileAnswers = {path};
        exportVia(accept);
        QVERIFY(h->messages.empty());
        QCOMPARE(h->frame().statusBar()->currentMessage(),
                 u("テンプレートを %1 に書き出しました").arg(path));

        // The next export, and an import, start in that folder.
        suggestedNames.clear();
        fileAnswers = {};
        exportVia(accept);
        QCOMPARE(suggestedNames, QStringList{QDir(shared.path()).filePath(u("うさぎ.ini"))});
        suggestedNames.clear();
        importVia({});
        QCOMPARE(suggestedNames, QStringList{shared.path()});

        // An import from elsewhere moves it there (kept in the per-user settings, for the
        // next run too).
        QTemporaryDir other;
        const QString elsewhere = QDir(other.path()).filePath(QStringLiteral("rabbit.ini"));
        QVERIFY(QFile::copy(path, elsewhere));
        fileAnswers = {elsewhere};
        importVia([](QDialog& dialog) { dialog.reject(); });
        QCOMPARE(exchangeFolder(), other.path());
    }

    // mireto-convert -s FILE -t NAME makes the page the editor makes from the template:
    // the file holds the editor's page settings, and its sets are found by name.
    void anExportedTemplateConvertsAsTheEditorMakesIt() {
        const CurrentSelection standard{overallTemplate("ねこ", "無し", "無し", "標準的"),
                                        noneEndingSet(), noneReplacementSet()};
        QVERIFY(startWith(standard, ownSettings()));
        h->view().SetEditorText(u("今日はとてもいい天気な。散歩に行きます。\nまた明日な"));
        const std::string text = h->view().ConversionText();

        // Every template the starter-like file has whose style the editor knows.
        const std::filesystem::path file = sharedFile("all.ini");
        fileAnswers = {QString::fromStdString(file.string())};
        exportVia([](QDialog& dialog) {
            tick(entry(dialog, RecordKind::OverallTemplate, "うさぎ"), true);
            accept(dialog);
        });
        QVERIFY(h->messages.empty());

        for (const char* name : {"うさぎ", "ねこ"}) {
            h->choose(cmd::kComboTemplate, u(name));
            const std::optional<std::string> page = h->view().BuildPage(text, kMoment);
            QVERIFY(page);
            const ProgramResult converted = runProgram(
                MIRETO_CONVERT_PATH,
                {"-s", file.string(), "-t", name, "--time", std::to_string(kMoment)}, text);
            QCOMPARE(converted.status, 0);
            QCOMPARE(QByteArray::fromStdString(converted.out), QByteArray::fromStdString(*page));
        }
        // Without the editor's settings the thread page would differ: they are in the file.
        QVERIFY(readFile(file).find(sjis("うさぎスレ")) != std::string::npos);
    }
};

QTEST_MAIN(TemplateExchangeTest)
#include "template_exchange_test.moc"
