// The template editors and choosers opened from the menus and the panel: what the view
// hands them, what it takes back, and the panel afterwards.
#include "app/command_ids.h"
#include "app/icons.h"
#include "app/main_frame.h"
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/dialog_driver.h"

#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

using namespace mireto;
using namespace mireto::test;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Runs `script` on the modal dialog the coming command opens. A dialog the script leaves
// open is cancelled, so that the command returns whatever the script did.
void whenDialogOpens(QObject* context, const std::function<void(QDialog*)>& script,
                     int attemptsLeft = 100, int delayMs = 0) {
    QTimer::singleShot(delayMs, context, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (attemptsLeft > 0)
                whenDialogOpens(context, script, attemptsLeft - 1, 10);
            return;
        }
        QPointer<QDialog> open(dialog);
        script(dialog);
        if (open && open->isVisible())
            open->reject();
    });
}

// Runs `command` with `script` acting in the dialog it opens; the dialog's caption, or
// nothing when no dialog opened.
QString runDialog(AppHarness& harness, const std::function<void()>& command,
                  const std::function<void(QDialog*)>& script) {
    QString caption;
    whenDialogOpens(&harness.frame(), [&](QDialog* dialog) {
        caption = dialog->windowTitle();
        script(dialog);
    });
    command();
    return caption;
}

// A command chosen from the menu bar, `item` of `menu`.
std::function<void()> viaMenu(AppHarness& harness, const char* menu, const char* item) {
    return [&harness, menu, item] {
        for (QAction* title : harness.frame().menuBar()->actions()) {
            if (title->text() != QString::fromUtf8(menu))
                continue;
            for (QAction* entry : title->menu()->actions()) {
                if (entry->text() == QString::fromUtf8(item))
                    return entry->trigger();
            }
        }
        QFAIL(item);
    };
}

// A command given with a button of the panel.
std::function<void()> viaPanel(AppHarness& harness, int buttonId) {
    return [&harness, buttonId] { harness.click(buttonId); };
}

QComboBox* templateList(QDialog* dialog) {
    return child<QComboBox>(dialog, "templateList");
}

// Picks list item `item` in a chooser and confirms.
std::function<void(QDialog*)> pickAndAccept(int item) {
    return [item](QDialog* dialog) {
        pick(templateList(dialog), item);
        click(dialog, "okButton");
    };
}

// Saves what the editor shows under `name` and closes it with OK.
std::function<void(QDialog*)> saveAs(const char* name) {
    return [name](QDialog* dialog) {
        retype(templateList(dialog), QString::fromUtf8(name));
        click(dialog, "saveButton");
        click(dialog, "okButton");
    };
}

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

const CurrentSelection kRabbit{overallTemplate("うさぎ", "だぴょん", "猫語", "某巨大掲示板群"),
                               endingSet("だぴょん", "だぴょん", 100),
                               replacementSet("猫語", "な", "にゃ")};

const CurrentSelection kNothing{overallTemplate("", "無し", "無し", "フォント弄り"),
                                noneEndingSet(), noneReplacementSet()};

// Starts the program on the usual settings file, with `current` in use at the last exit.
bool startWith(AppHarness& harness, const CurrentSelection& current) {
    writeSettings(harness.settingsFile(), current);
    return harness.start();
}

} // namespace

class TemplateCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void anEndingSetSavedInTheEditorIsListedAfterOk() {
        AppHarness harness;
        QVERIFY(startWith(harness, kRabbit));
        QString shownPercent;
        const QString caption = runDialog(
            harness, viaMenu(harness, "テンプレート作成", "語尾変換"), [&](QDialog* dialog) {
                shownPercent = child<QLineEdit>(dialog, "percent1")->text();
                retype(child<QLineEdit>(dialog, "word1"), u("ぴょん"));
                saveAs("ぴょん")(dialog);
            });

        QCOMPARE(caption, u("語尾変換設定作成"));
        QCOMPARE(shownPercent, u("100"));
        QCOMPARE(harness.messages.size(), std::size_t{1});
        QCOMPARE(harness.messages[0].request.text, u("テンプレート「ぴょん」を保存しました"));
        QCOMPARE(harness.items(cmd::kComboEnding),
                 (QStringList{u("無し"), u("だぴょん"), u("ぴょん")}));
        QCOMPARE(harness.view().store().GetEndingSet(2), endingSet("ぴょん", "ぴょん", 100));
        // The editor saves; it does not make what it saved current.
        QCOMPARE(harness.combo(cmd::kComboEnding).currentText(), u("だぴょん"));
        QCOMPARE(harness.view().currentEndingSet(), kRabbit.endingSet);
    }

    void aSavedSetReachesTheFileAtExit() {
        AppHarness harness;
        QVERIFY(startWith(harness, kRabbit));
        QCOMPARE(runDialog(harness, viaMenu(harness, "テンプレート作成", "置換"), saveAs("犬語")),
                 u("置換設定作成"));
        QVERIFY(harness.close());

        SettingsStore store;
        FormatSettings settings;
        CurrentSelection current;
        QCOMPARE(LoadSettingsAtStartup(harness.settingsFile(), store, settings, current),
                 StartupOutcome::Loaded);
        ReplacementSet saved = kRabbit.replacementSet;
        saved.name = sjis("犬語");
        QCOMPARE(store.GetReplacementSet(1), saved);
        QCOMPARE(store.GetReplacementSet(2), kRabbit.replacementSet);
        QCOMPARE(current, kRabbit);
    }

    void anEditorClosedWithoutOkStillRefreshesThePanel() {
        AppHarness harness;
        QVERIFY(startWith(harness, kRabbit));
        harness.answers = {MessageAnswer::Yes};
        runDialog(harness, viaMenu(harness, "テンプレート作成", "置換"), [](QDialog* dialog) {
            pick(templateList(dialog), 0);
            click(dialog, "deleteButton");
            dialog->close();
        });

        QCOMPARE(harness.messages.size(), std::size_t{2});
        QCOMPARE(harness.messages[0].request.text, u("置換テンプレート「猫語」を削除しますか？"));
        QCOMPARE(harness.view().store().replacementSetCount(), std::size_t{1});
        // Without the refresh the panel would still offer 猫語, now past the store's end.
        QCOMPARE(harness.items(cmd::kComboReplacement), QStringList{u("無し")});
        QCOMPARE(harness.combo(cmd::kComboReplacement).currentIndex(), -1);
        // The view goes on converting with its own copy of the deleted set.
        QCOMPARE(harness.view().currentReplacementSet(), kRabbit.replacementSet);
    }

    void theOverallTemplateEditorStartsFromTheCurrentCombination() {
        AppHarness harness;
        QVERIFY(startWith(harness, kRabbit));
        harness.choose(cmd::kComboReplacement, u("無し"));
        QStringList shown;
        const QString caption = runDialog(
            harness, viaMenu(harness, "テンプレート作成", "テンプレート"), [&](QDialog* dialog) {
                for (const char* list : {"replacementList", "endingList", "formatList"})
                    shown.append(child<QComboBox>(dialog, list)->currentText());
                saveAs("いぬ")(dialog);
            });

        QCOMPARE(caption, u("テンプレート設定作成"));
        QCOMPARE(shown, (QStringList{u("無し"), u("だぴょん"), u("某巨大掲示板群")}));
        QCOMPARE(harness.items(cmd::kComboTemplate),
                 (QStringList{u("いぬ"), u("うさぎ"), u("ねこ"), u("謎")}));
        QCOMPARE(harness.view().store().GetOverallTemplate(0),
                 overallTemplate("いぬ", "だぴょん", "無し", "某巨大掲示板群"));
        QCOMPARE(harness.combo(cmd::kComboTemplate).currentText(), u("うさぎ"));
        QCOMPARE(harness.view().currentTemplate().name, sjis("うさぎ"));
    }

    void theEndingChooserHandsBackTheSetAsEdited() {
        AppHarness harness;
        QVERIFY(startWith(harness, kNothing));
        const QString caption =
            runDialog(harness, viaMenu(harness, "設定", "語尾変換設定"), [](QDialog* dialog) {
                pick(templateList(dialog), 1);
                retype(child<QLineEdit>(dialog, "percent1"), u("60"));
                click(dialog, "okButton");
            });

        QCOMPARE(caption, u("現在の語尾変換設定"));
        QCOMPARE(harness.view().currentEndingSet(), endingSet("だぴょん", "だぴょん", 60));
        QCOMPARE(harness.combo(cmd::kComboEnding).currentText(), u("だぴょん"));
        QCOMPARE(harness.view().currentTemplate(), kNothing.overallTemplate);
        QCOMPARE(harness.view().store().GetEndingSet(1), kRabbit.endingSet);
    }

    void theTemplateChooserMakesItsWholeCombinationCurrent() {
        AppHarness harness;
        QVERIFY(startWith(harness, kNothing));
        QCOMPARE(runDialog(harness, viaPanel(harness, cmd::kCurrentTemplate), pickAndAccept(0)),
                 u("現在のテンプレート"));

        QCOMPARE(harness.view().currentTemplate(), kRabbit.overallTemplate);
        QCOMPARE(harness.view().currentEndingSet(), kRabbit.endingSet);
        QCOMPARE(harness.view().currentReplacementSet(), kRabbit.replacementSet);
        QCOMPARE(harness.combo(cmd::kComboTemplate).currentText(), u("うさぎ"));
        QCOMPARE(harness.combo(cmd::kComboReplacement).currentText(), u("猫語"));
        QCOMPARE(harness.combo(cmd::kComboEnding).currentText(), u("だぴょん"));
        QCOMPARE(harness.combo(cmd::kComboFormat).currentText(), u("某巨大掲示板群"));
        QCOMPARE(pictureOf(harness.button(cmd::kHtmlSettings).icon()),
                 pictureOf(icons::resourceIcon(icons::kThreadSettings)));

        // A template naming sets that are gone brings in the none sets.
        runDialog(harness, viaMenu(harness, "設定", "全体テンプレート設定"), pickAndAccept(1));
        QCOMPARE(harness.view().currentTemplate(),
                 overallTemplate("ねこ", "無し", "無し", "フォント弄り(背景白)"));
        QCOMPARE(harness.view().currentEndingSet(), noneEndingSet());
        QCOMPARE(harness.combo(cmd::kComboReplacement).currentText(), u("無し"));
        QCOMPARE(harness.frame().ToolTipText(cmd::kHtmlSettings), u("フォント弄り設定"));
    }

    void cancellingOrClosingAChooserChangesNothing() {
        AppHarness harness;
        QVERIFY(startWith(harness, kNothing));
        runDialog(harness, viaPanel(harness, cmd::kCurrentReplacement), [](QDialog* dialog) {
            pick(templateList(dialog), 1);
            click(dialog, "cancelButton");
        });
        runDialog(harness, viaPanel(harness, cmd::kCurrentEnding), [](QDialog* dialog) {
            pick(templateList(dialog), 1);
            dialog->close();
        });
        runDialog(harness, viaPanel(harness, cmd::kCurrentTemplate), [](QDialog* dialog) {
            pick(templateList(dialog), 0);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });

        QCOMPARE(harness.view().currentTemplate(), kNothing.overallTemplate);
        QCOMPARE(harness.view().currentEndingSet(), kNothing.endingSet);
        QCOMPARE(harness.view().currentReplacementSet(), kNothing.replacementSet);
        QCOMPARE(harness.combo(cmd::kComboTemplate).currentIndex(), -1);
        QCOMPARE(harness.combo(cmd::kComboReplacement).currentText(), u("無し"));
        QCOMPARE(harness.combo(cmd::kComboEnding).currentText(), u("無し"));
        QVERIFY(harness.messages.empty());
    }
};

QTEST_MAIN(TemplateCommandsTest)
#include "template_commands_test.moc"
