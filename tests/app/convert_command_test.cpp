// The mireto-convert command the preview offers under its moment: its words quoted for a
// shell, and the command, run as it is copied, makes the very page the editor makes.
#include "app/command_ids.h"
#include "app/convert_command.h"
#include "app/mireto_doc.h"
#include "app/mireto_view.h"
#include "app/page_preview.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

#include <QtTest>

using namespace mireto;
using namespace mireto::test;

class ConvertCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void wordsAreQuotedWhereAShellNeedsIt() {
        const std::pair<const char*, const char*> cases[] = {
            {"plain-word_1.txt", "plain-word_1.txt"},
            {"/home/user/Mireto.ini", "/home/user/Mireto.ini"},
            {"猫語", "猫語"},
            {"二つの　言葉", "二つの　言葉"}, // a full-width space splits nothing
            {"two words", "'two words'"},
            {"it's", "'it'\\''s'"},
            {"$HOME", "'$HOME'"},
            {"a;b|c&d", "'a;b|c&d'"},
            {"", "''"},
        };
        for (const auto& [word, quoted] : cases)
            QCOMPARE(shellQuoted(u(word)), u(quoted));

        ConvertCommand command;
        command.settingsFile = u("/tmp/my settings/Mireto.ini");
        command.format = 3;
        command.replacementSet = u("無し");
        command.endingSet = u("だぴょん");
        command.moment = 1031227620;
        QCOMPARE(convertCommandLine(command),
                 u("mireto-convert -s '/tmp/my settings/Mireto.ini' -f 3 --replacement 無し "
                   "--ending だぴょん --time 1031227620"));
        command.textFile = u("-note.txt");
        command.utf8Text = true;
        QVERIFY(convertCommandLine(command).endsWith(u("--encoding utf-8 ./-note.txt")));
    }

    void theCopiedCommandMakesTheEditorsPage() {
        AppHarness h;
        writeSettings(h.settingsFile(), rabbitSelection());
        QVERIFY(h.start());
        const auto run = [&h](const std::string& input) {
            QString line = h.preview().commandLine();
            const QString program = u("mireto-convert ");
            if (!line.startsWith(program))
                return ProgramResult{};
            line.replace(0, program.size() - 1, shellQuoted(u(MIRETO_CONVERT_PATH)));
            return runProgram("/bin/sh", {"-c", line.toStdString()}, input);
        };
        const auto page = [&h] {
            return *h.view().BuildPage(h.view().ConversionText(), h.preview().moment());
        };

        // A new document: its text on standard input.
        h.view().SetEditorText(u("今日はいい天気な。\n散歩に行く。"));
        ProgramResult result = run(h.view().ConversionText());
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, page());

        // A saved one, in a folder whose name a shell would split, and another style.
        std::filesystem::create_directories(h.folder() / "my notes");
        const std::filesystem::path file = h.folder() / "my notes" / "it's.txt";
        QVERIFY(h.document().OnSaveDocument(QString::fromStdString(file.string())));
        h.choose(cmd::kComboFormat, u("標準的"));
        QVERIFY(h.preview().commandLine().contains(u("-f 4")));
        result = run({});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, page());

        // A UTF-8 document, with a character Shift_JIS has no room for.
        const std::filesystem::path utf8File = h.folder() / "utf8.txt";
        writeFile(utf8File, "寿司🍣な。");
        QVERIFY(h.document().OnOpenDocument(QString::fromStdString(utf8File.string())));
        QVERIFY(h.preview().commandLine().contains(u("--encoding utf-8")));
        result = run({});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, page());
    }
};

QTEST_MAIN(ConvertCommandTest)
#include "convert_command_test.moc"
