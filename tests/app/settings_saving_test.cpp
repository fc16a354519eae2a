// When Mireto.ini reaches the disk: at once after every change a dialog or the panel
// makes, in the bytes an exit would write; a file that could not be read kept aside
// before it is replaced; a write that fails told once; the question at exit.
#include "app/command_ids.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/temp_dir.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>
#include <optional>
#include <sys/stat.h>

using namespace mireto;
using namespace mireto::test;

namespace {

const CurrentSelection kRabbit = rabbitSelection();

// What the end of the program would write at this moment.
std::string exitBytes(const CMiretoView& view) {
    return SettingsFileBytes(
        view.store(), view.formatSettings(),
        {view.currentTemplate(), view.currentEndingSet(), view.currentReplacementSet()});
}

} // namespace

class SettingsSavingTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;

    bool startWith(const CurrentSelection& current) {
        writeSettings(h->settingsFile(), current);
        return h->start();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { h.emplace(); }
    void cleanup() { h.reset(); }

    void aSetSavedInAnEditorIsInTheFileAtOnce() {
        QVERIFY(startWith(kRabbit));
        const std::string before = readFile(h->settingsFile());
        saveEndingSet(*h, "ぴょん");
        const std::string after = readFile(h->settingsFile());
        QVERIFY(after != before);
        QCOMPARE(after, exitBytes(h->view()));
        QVERIFY(after.find(sjis("6,ぴょん,")) != std::string::npos);
        // The store goes on as it was: the none set first, the new set listed.
        QCOMPARE(h->view().store().GetEndingSet(0), noneEndingSet());
        QCOMPARE(h->view().store().GetEndingSet(2).name, sjis("ぴょん"));
        QCOMPARE(h->view().currentEndingSet(), kRabbit.endingSet);
    }

    void choosersSettingsDialogsAndThePanelWriteWhatTheyChange() {
        QVERIFY(startWith(kRabbit));
        h->choose(cmd::kComboFormat, u("標準的"));
        QCOMPARE(readFile(h->settingsFile()), exitBytes(h->view()));
        QVERIFY(readFile(h->settingsFile()).find(sjis("6,標準的,")) != std::string::npos);

        driveDialog([&] { h->view().OnCurrentEnding(); },
                    [](QDialog* dialog) {
                        pick(child<QComboBox>(dialog, "templateList"), 0);
                        click(dialog, "okButton");
                    });
        QCOMPARE(h->view().currentEndingSet(), noneEndingSet());
        QCOMPARE(readFile(h->settingsFile()), exitBytes(h->view()));

        driveDialog([&] { h->view().OnStandardColours(); },
                    [](QDialog* dialog) {
                        retype(child<QLineEdit>(dialog, "textColour"), u("#123456"));
                        click(dialog, "okButton");
                    });
        QCOMPARE(h->view().formatSettings().standardColours.textColour, std::string("#123456"));
        QCOMPARE(readFile(h->settingsFile()), exitBytes(h->view()));

        // A dialog cancelled changes nothing, and nothing is written.
        const auto written = std::filesystem::last_write_time(h->settingsFile());
        std::filesystem::last_write_time(h->settingsFile(), written - std::chrono::hours(1));
        driveDialog([&] { h->view().OnStandardColours(); },
                    [](QDialog* dialog) {
                        retype(child<QLineEdit>(dialog, "textColour"), u("#654321"));
                        click(dialog, "cancelButton");
                    });
        QCOMPARE(std::filesystem::last_write_time(h->settingsFile()),
                 written - std::chrono::hours(1));
        QVERIFY(h->messages.empty());
    }

    // Another program wrote Mireto.ini while the editor ran: the next write takes in
    // what only that version has, keeps that version whole beside it, and says so.
    void aFileChangedByAnotherProgramIsMergedAndKeptNotOverwritten() {
        QVERIFY(startWith(kRabbit));
        SettingsStore theirs = h->view().store();
        OverallTemplate fox = kRabbit.overallTemplate;
        fox.name = sjis("きつね");
        theirs.InsertOverallTemplate(fox, theirs.overallTemplateCount());
        const std::string theirBytes =
            SettingsFileBytes(theirs, h->view().formatSettings(), kRabbit);
        writeFile(h->settingsFile(), theirBytes);
        h->messages.clear();

        h->choose(cmd::kComboFormat, u("標準的"));
        const QString path = QString::fromStdString(h->settingsFile().string());
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("Mireto.ini は、起動してから別のプログラムが書き換えていました。\n"
                   "そちらにだけあったテンプレート 1 件を取り込みました。\n"
                   "書き換えられたファイルは %1.bak として残してあります。")
                     .arg(path));
        QCOMPARE(readFile(h->settingsFile().string() + ".bak"), theirBytes);
        // Both sides' records, in the file written at once.
        const std::string written = readFile(h->settingsFile());
        QCOMPARE(written, exitBytes(h->view()));
        QVERIFY(written.find(sjis("6,きつね,")) != std::string::npos);
        QVERIFY(h->items(cmd::kComboTemplate).contains(u("きつね")));

        // Once merged, the editor's own writes go on without a word.
        h->messages.clear();
        h->choose(cmd::kComboFormat, u("某巨大掲示板群"));
        QVERIFY(h->messages.empty());
        QVERIFY(h->close());
        QVERIFY(!std::filesystem::exists(h->settingsFile().string() + ".bak2"));
    }

    void aFailingWriteIsToldOnceAndTheExitQuestionIsJapanese() {
        writeFile(h->folder() / "not-a-folder", "x");
        h->services.paths.settingsFile = h->folder() / "not-a-folder" / "Mireto.ini";
        QVERIFY(h->start());
        h->messages.clear();
        h->choose(cmd::kComboFormat, u("標準的"));
        h->choose(cmd::kComboFormat, u("某巨大掲示板群"));
        saveEndingSet(*h, "ぴょん");
        const QString path = QString::fromStdString(h->settingsFile().string());
        QStringList warnings;
        for (const ShownMessage& shown : h->messages) {
            if (shown.request.icon == MessageIcon::Warning)
                warnings.append(shown.request.text);
        }
        QCOMPARE(warnings,
                 QStringList{u("設定を %1 に保存できません（保存先のフォルダがありません）。\n"
                               "終了するときに、もう一度保存します。")
                                 .arg(path)});

        h->messages.clear();
        QVERIFY(!h->close());
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("設定を %1 に保存できません（保存先のフォルダがありません）。\n\n"
                   "このまま終了すると、保存できなかった設定とテンプレートの変更は失われます。"
                   "終了しますか？")
                     .arg(path));
        h->answers = {MessageAnswer::Yes};
        QVERIFY(h->close());
    }

    void aFileThatWouldGrowPastTheLimitIsNotWritten() {
        // Rules of empty fields given as bare commas read in and write out half as long
        // again: written, the file would be one the next start refuses.
        std::string file = "100,\r\n----\r\n----\r\n2000000000,4,name,";
        file.append(kMaxSettingsFileBytes * 3 / 4, ',');
        file += "\r\n----\r\n----\r\n";
        writeFile(h->settingsFile(), file);
        QVERIFY(h->start());
        QVERIFY(h->messages.empty());
        QVERIFY(exitBytes(h->view()).size() > kMaxSettingsFileBytes);
        h->choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(readFile(h->settingsFile()) == file);
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("設定を %1 に保存できません（ファイルが大きくなりすぎます）。\n"
                   "終了するときに、もう一度保存します。")
                     .arg(QString::fromStdString(h->settingsFile().string())));
        h->answers = {MessageAnswer::Yes};
        QVERIFY(h->close());
        QVERIFY(readFile(h->settingsFile()) == file);
    }

    void aLinkAtMiretoIniIsFollowedToTheFileItNames() {
        const auto real = h->folder() / "dotfiles" / "Mireto.ini";
        std::filesystem::create_directories(real.parent_path());
        writeSettings(real, kRabbit);
        std::filesystem::create_symlink(real, h->settingsFile());
        QVERIFY(h->start());
        QCOMPARE(h->view().currentTemplate(), kRabbit.overallTemplate);
        h->choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(h->close());
        QVERIFY(std::filesystem::is_symlink(h->settingsFile()));
        QVERIFY(readFile(real).find(sjis("6,標準的,")) != std::string::npos);
    }

    void aFileThatCouldNotBeReadIsKeptAsideBeforeItIsReplaced() {
        // Past the size limit: refused unread, and too large to throw away.
        writeFile(h->settingsFile(), "100,\r\n----\r\n");
        std::filesystem::resize_file(h->settingsFile(), kMaxSettingsFileBytes + 1);
        const std::string original = readFile(h->settingsFile());
        QVERIFY(h->start());
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("Mireto.iniファイルが読み込めません\n（16 MiB より大きいファイルです）"));
        QCOMPARE(h->items(cmd::kComboEnding), QStringList{u("無し")});
        // Nothing changed, nothing written: the file stays where it was.
        QCOMPARE(readFile(h->settingsFile()), original);

        h->messages.clear();
        // Told once the new file is there: a kill while the message waits loses nothing.
        std::optional<std::string> whenTold;
        h->onMessage = [&](const MessageRequest&) { whenTold = readFile(h->settingsFile()); };
        h->choose(cmd::kComboFormat, u("標準的"));
        h->onMessage = {};
        QCOMPARE(whenTold, std::optional(exitBytes(h->view())));
        const auto kept = h->folder() / "program" / "Mireto.ini.bak";
        QVERIFY(std::filesystem::exists(kept));
        QVERIFY(readFile(kept) == original);
        QCOMPARE(readFile(h->settingsFile()), exitBytes(h->view()));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text,
                 u("読み込めなかった Mireto.ini は、%1 として残しました。")
                     .arg(QString::fromStdString(kept.string())));

        // Said once: later writes replace the new file only.
        h->choose(cmd::kComboFormat, u("某巨大掲示板群"));
        QVERIFY(h->close());
        QCOMPARE(h->messages.size(), std::size_t{1});
        QVERIFY(readFile(kept) == original);
        QVERIFY(!std::filesystem::exists(h->folder() / "program" / "Mireto.ini.bak2"));
    }

    void aFolderInTheFilesPlaceIsKeptAsideAtExitUnderAFreeName() {
        writeFile(h->folder() / "program" / "Mireto.ini.bak", "older");
        std::filesystem::create_directory(h->settingsFile());
        writeFile(h->settingsFile() / "inside", "kept");
        QVERIFY(h->start());
        QCOMPARE(h->messages[0].request.text,
                 u("Mireto.iniファイルが読み込めません\n（普通のファイルではありません）"));
        QVERIFY(h->close());
        const auto kept = h->folder() / "program" / "Mireto.ini.bak2";
        QCOMPARE(readFile(kept / "inside"), std::string("kept"));
        QCOMPARE(readFile(h->folder() / "program" / "Mireto.ini.bak"), std::string("older"));
        QVERIFY(std::filesystem::is_regular_file(h->settingsFile()));
    }
};

QTEST_MAIN(SettingsSavingTest)
#include "settings_saving_test.moc"
