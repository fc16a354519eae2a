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
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

using Script = std::function<void(QDialog*)>;

QComboBox* templateList(QDialog* dialog) {
    return child<QComboBox>(dialog, "templateList");
}

// Picks list item `item` in a chooser and confirms.
Script pickAndAccept(int item) {
    return [item](QDialog* dialog) {
        pick(templateList(dialog), item);
        click(dialog, "okButton");
    };
}

// Saves what the editor shows under `name` and closes it with OK.
Script saveAs(const char* name) {
    return [name](QDialog* dialog) {
        retype(templateList(dialog), QString::fromUtf8(name));
        click(dialog, "saveButton");
        click(dialog, "okButton");
    };
}

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

const CurrentSelection kRabbit = rabbitSelection();

const CurrentSelection kNothing{overallTemplate("", "無し", "無し", "フォント弄り"),
                                noneEndingSet(), noneReplacementSet()};

} // namespace

class TemplateCommandsTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;

    // Starts the program on the usual settings file, with `current` in use at the last exit.
    bool startWith(const CurrentSelection& current) {
        writeSettings(h->settingsFile(), current);
        return h->start();
    }

    std::function<void()> viaPanel(int buttonId) {
        return [this, buttonId] { h->click(buttonId); };
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { h.emplace(); }
    void cleanup() { h.reset(); }

    void anEndingSetSavedInTheEditorIsListedAfterOk() {
        QVERIFY(startWith(kRabbit));
        QString shownPercent;
        const QString caption =
            driveDialog(h->menuCommand("テンプレート作成", "語尾変換"), [&](QDialog* dialog) {
                shownPercent = child<QLineEdit>(dialog, "percent1")->text();
                retype(child<QLineEdit>(dialog, "word1"), u("ぴょん"));
                saveAs("ぴょん")(dialog);
            });
        QCOMPARE(caption, u("語尾変換設定作成"));
        QCOMPARE(shownPercent, u("100"));
        QCOMPARE(h->messages.size(), std::size_t{1});
        QCOMPARE(h->messages[0].request.text, u("テンプレート「ぴょん」を保存しました"));
        QCOMPARE(h->items(cmd::kComboEnding), (QStringList{u("無し"), u("だぴょん"), u("ぴょん")}));
        QCOMPARE(h->view().store().GetEndingSet(2), endingSet("ぴょん", "ぴょん", 100));
        // The editor saves; it does not make what it saved current.
        QCOMPARE(h->combo(cmd::kComboEnding).currentText(), u("だぴょん"));
        QCOMPARE(h->view().currentEndingSet(), kRabbit.endingSet);
    }

    void anEditorClosedWithoutOkStillRefreshesThePanel() {
        QVERIFY(startWith(kRabbit));
        h->answers = {MessageAnswer::Yes};
        driveDialog(h->menuCommand("テンプレート作成", "置換"), [](QDialog* dialog) {
            pick(templateList(dialog), 0);
            click(dialog, "deleteButton");
            dialog->close();
        });
        QCOMPARE(h->messages.size(), std::size_t{2});
        QCOMPARE(h->messages[0].request.text, u("置換テンプレート「猫語」を削除しますか？"));
        QCOMPARE(h->view().store().replacementSetCount(), std::size_t{1});
        // Without the refresh the panel would still offer 猫語, now past the store's end.
        QCOMPARE(h->items(cmd::kComboReplacement), QStringList{u("無し")});
        QCOMPARE(h->combo(cmd::kComboReplacement).currentIndex(), -1);
        // The view goes on converting with its own copy of the deleted set.
        QCOMPARE(h->view().currentReplacementSet(), kRabbit.replacementSet);
    }

    void theOverallTemplateEditorStartsFromTheCurrentCombination() {
        QVERIFY(startWith(kRabbit));
        h->choose(cmd::kComboReplacement, u("無し"));
        QStringList shown;
        const QString caption =
            driveDialog(h->menuCommand("テンプレート作成", "テンプレート"), [&](QDialog* dialog) {
                for (const char* list : {"replacementList", "endingList", "formatList"})
                    shown.append(child<QComboBox>(dialog, list)->currentText());
                saveAs("いぬ")(dialog);
            });
        QCOMPARE(caption, u("テンプレート設定作成"));
        QCOMPARE(shown, (QStringList{u("無し"), u("だぴょん"), u("某巨大掲示板群")}));
        QCOMPARE(h->items(cmd::kComboTemplate),
                 (QStringList{u("いぬ"), u("うさぎ"), u("ねこ"), u("謎")}));
        QCOMPARE(h->view().store().GetOverallTemplate(0),
                 overallTemplate("いぬ", "だぴょん", "無し", "某巨大掲示板群"));
        QCOMPARE(h->combo(cmd::kComboTemplate).currentText(), u("うさぎ"));
        QCOMPARE(h->view().currentTemplate().name, sjis("うさぎ"));
    }

    void theEndingChooserHandsBackTheSetAsEdited() {
        QVERIFY(startWith(kNothing));
        const QString caption =
            driveDialog(h->menuCommand("設定", "語尾変換設定"), [](QDialog* dialog) {
                pick(templateList(dialog), 1);
                retype(child<QLineEdit>(dialog, "percent1"), u("60"));
                click(dialog, "okButton");
            });
        QCOMPARE(caption, u("現在の語尾変換設定"));
        QCOMPARE(h->view().currentEndingSet(), endingSet("だぴょん", "だぴょん", 60));
        QCOMPARE(h->combo(cmd::kComboEnding).currentText(), u("だぴょん"));
        QCOMPARE(h->view().currentTemplate(), kNothing.overallTemplate);
        QCOMPARE(h->view().store().GetEndingSet(1), kRabbit.endingSet);
    }

    void theTemplateChooserMakesItsWholeCombinationCurrent() {
        QVERIFY(startWith(kNothing));
        QCOMPARE(driveDialog(viaPanel(cmd::kCurrentTemplate), pickAndAccept(0)),
                 u("現在のテンプレート"));
        QCOMPARE(h->view().currentTemplate(), kRabbit.overallTemplate);
        QCOMPARE(h->view().currentEndingSet(), kRabbit.endingSet);
        QCOMPARE(h->view().currentReplacementSet(), kRabbit.replacementSet);
        QStringList shown;
        for (int list :
             {cmd::kComboTemplate, cmd::kComboReplacement, cmd::kComboEnding, cmd::kComboFormat})
            shown.append(h->combo(list).currentText());
        QCOMPARE(shown, (QStringList{u("うさぎ"), u("猫語"), u("だぴょん"), u("某巨大掲示板群")}));
        QCOMPARE(pictureOf(h->button(cmd::kHtmlSettings).icon()),
                 pictureOf(icons::resourceIcon(icons::kThreadSettings)));

        // A template naming sets that are gone brings in the none sets.
        driveDialog(h->menuCommand("設定", "全体テンプレート設定"), pickAndAccept(1));
        QCOMPARE(h->view().currentTemplate(),
                 overallTemplate("ねこ", "無し", "無し", "フォント弄り(背景白)"));
        QCOMPARE(h->view().currentEndingSet(), noneEndingSet());
        QCOMPARE(h->combo(cmd::kComboReplacement).currentText(), u("無し"));
        QCOMPARE(h->frame().ToolTipText(cmd::kHtmlSettings), u("フォント弄り設定"));
    }

    void cancellingOrClosingAChooserChangesNothing() {
        QVERIFY(startWith(kNothing));
        driveDialog(viaPanel(cmd::kCurrentReplacement), [](QDialog* dialog) {
            pick(templateList(dialog), 1);
            click(dialog, "cancelButton");
        });
        driveDialog(viaPanel(cmd::kCurrentEnding), [](QDialog* dialog) {
            pick(templateList(dialog), 1);
            dialog->close();
        });
        driveDialog(viaPanel(cmd::kCurrentTemplate), [](QDialog* dialog) {
            pick(templateList(dialog), 0);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(h->view().currentTemplate(), kNothing.overallTemplate);
        QCOMPARE(h->view().currentEndingSet(), kNothing.endingSet);
        QCOMPARE(h->view().currentReplacementSet(), kNothing.replacementSet);
        QCOMPARE(h->combo(cmd::kComboTemplate).currentIndex(), -1);
        QCOMPARE(h->combo(cmd::kComboReplacement).currentText(), u("無し"));
        QCOMPARE(h->combo(cmd::kComboEnding).currentText(), u("無し"));
        QVERIFY(h->messages.empty());
    }
};

QTEST_MAIN(TemplateCommandsTest)
#include "template_commands_test.moc"
