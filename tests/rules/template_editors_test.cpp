// What the three template editors (overall template, replacement set, ending set) share:
// the name field labelled alike at the same side, 新規 for an empty template, and no work
// on screen lost when the editor closes (OK, ×, Esc) or starts a new template.
#include "rules/ending_template_dlg.h"
#include "rules/replace_template_dlg.h"
#include "settings/dialogs/template_dlg.h"
#include "settings/settings_store.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/sjis.h"

#include <QLabel>
#include <QListWidget>
#include <QTabBar>
#include <QtTest>
#include <functional>
#include <memory>

using namespace mireto;
using namespace mireto::test;

namespace {

// A store as a running program holds it: the none sets, one set of each kind, a template
// using them, and the page styles.
SettingsStore sampleStore() {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    EndingSet cat;
    cat.name = sjis("猫");
    cat.words = {sjis("にゃ"), sjis("にゃん"), "", ""};
    cat.frequencies = {50, 50, 0, 0};
    store.InsertEndingSet(cat, 1);
    ReplacementSet speech;
    speech.name = sjis("猫語");
    speech.clearRules();
    speech.addRule({sjis("私"), "", "", ""}, sjis("吾輩"));
    store.InsertReplacementSet(speech, 1);
    OverallTemplate overall;
    overall.name = sjis("猫になる");
    overall.endingSetName = cat.name;
    overall.replacementSetName = speech.name;
    store.InsertOverallTemplate(overall, 0);
    store.BuildFormatNames();
    return store;
}

// One editor, as the table below drives it.
struct EditorKind {
    const char* name;
    std::function<std::unique_ptr<QDialog>(SettingsStore&)> open;
    // A change on screen that a save would store, besides the name.
    std::function<void(QDialog&)> change;
    // The names the store holds of the editor's kind.
    std::function<QStringList(const SettingsStore&)> stored;
};

template <typename Record>
QStringList namesOf(const SettingsStore& store, Record (SettingsStore::*get)(std::size_t) const) {
    QStringList names;
    for (std::size_t at = 0; !(store.*get)(at).name.empty(); ++at)
        names.append(QString::fromStdString(utf8((store.*get)(at).name)));
    return names;
}

const std::vector<EditorKind>& editors() {
    static const std::vector<EditorKind> kinds = {
        {"overall template",
         [](SettingsStore& store) {
             OverallTemplate current;
             current.name = sjis("猫になる");
             return std::make_unique<CTemplateDlg>(store, current);
         },
         [](QDialog& dialog) { pick(child<QComboBox>(&dialog, "formatList"), 4); },
         [](const SettingsStore& store) {
             return namesOf(store, &SettingsStore::GetOverallTemplate);
         }},
        {"replacement set",
         [](SettingsStore& store) {
             return std::make_unique<CReplaceTemplateDlg>(store, store.GetReplacementSet(1));
         },
         [](QDialog& dialog) { retype(child<QLineEdit>(&dialog, "target"), u("我輩")); },
         [](const SettingsStore& store) {
             return namesOf(store, &SettingsStore::GetReplacementSet);
         }},
        {"ending set",
         [](SettingsStore& store) {
             return std::make_unique<CEndingTemplateDlg>(store, store.GetEndingSet(1));
         },
         [](QDialog& dialog) { retype(child<QLineEdit>(&dialog, "word1"), u("だにゃ")); },
         [](const SettingsStore& store) { return namesOf(store, &SettingsStore::GetEndingSet); }},
    };
    return kinds;
}

// The ways a user closes an editor.
enum class Close { Ok, Escape, CloseBox };

void closeBy(QDialog& dialog, Close how) {
    switch (how) {
    case Close::Ok:
        click(&dialog, "okButton");
        break;
    case Close::Escape:
        QTest::keyClick(&dialog, Qt::Key_Escape);
        break;
    case Close::CloseBox:
        dialog.close();
        break;
    }
}

} // namespace

class TemplateEditorsTest : public QObject {
    Q_OBJECT
private slots:
    void theNameFieldIsLabelledAlikeAtItsLeft() {
        for (const EditorKind& kind : editors()) {
            SettingsStore store = sampleStore();
            const std::unique_ptr<QDialog> dialog = kind.open(store);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            auto* label = child<QLabel>(dialog.get(), "templateNameLabel");
            auto* names = child<QComboBox>(dialog.get(), "templateList");
            QVERIFY2(label && names, kind.name);
            QCOMPARE(label->text(), u("テンプレート名"));
            QCOMPARE(label->buddy(), names);
            QVERIFY2(label->mapTo(dialog.get(), QPoint()).x() <
                         names->mapTo(dialog.get(), QPoint()).x(),
                     kind.name);
        }
    }

    void closingWithWorkOnScreenAsksFirst() {
        for (const EditorKind& kind : editors()) {
            for (const Close how : {Close::Ok, Close::Escape, Close::CloseBox}) {
                const QByteArray what = QByteArray(kind.name) + " closed by " +
                                        QByteArray::number(static_cast<int>(how));
                SettingsStore store = sampleStore();
                const QStringList before = kind.stored(store);
                const std::unique_ptr<QDialog> dialog = kind.open(store);
                MessageScript messages;
                dialog->show();
                QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
                retype(child<QComboBox>(dialog.get(), "templateList"), u("新しいの"));
                kind.change(*dialog);

                // Cancel stays in the dialog, with everything on screen.
                messages.answers = {MessageAnswer::Cancel};
                closeBy(*dialog, how);
                QVERIFY2(dialog->isVisible(), what.constData());
                QCOMPARE(messages.shown.size(), 1);
                QCOMPARE(messages.shown.front().buttons, MessageButtons::YesNoCancel);
                QVERIFY(messages.shown.front().text.contains(u("新しいの")));
                QCOMPARE(kind.stored(store), before);

                // Yes saves through the editor's own save, then closes.
                messages.answers = {MessageAnswer::Yes};
                closeBy(*dialog, how);
                QVERIFY2(!dialog->isVisible(), what.constData());
                QVERIFY2(kind.stored(store).contains(u("新しいの")), what.constData());
                QVERIFY(!messages.unexpectedQuestion);
            }
        }
    }

    void noClosesWithoutSavingAndNothingChangedAsksNothing() {
        for (const EditorKind& kind : editors()) {
            SettingsStore store = sampleStore();
            const QStringList before = kind.stored(store);
            {
                const std::unique_ptr<QDialog> dialog = kind.open(store);
                MessageScript messages;
                dialog->show();
                closeBy(*dialog, Close::Ok);
                QVERIFY2(!dialog->isVisible() && messages.shown.isEmpty(), kind.name);
            }
            const std::unique_ptr<QDialog> dialog = kind.open(store);
            MessageScript messages;
            dialog->show();
            kind.change(*dialog);
            messages.answers = {MessageAnswer::No};
            closeBy(*dialog, Close::Ok);
            QVERIFY2(!dialog->isVisible(), kind.name);
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(kind.stored(store), before);
        }
    }

    void savedLoadedOrDeletedWorkIsNotAskedAbout() {
        for (const EditorKind& kind : editors()) {
            SettingsStore store = sampleStore();
            const std::unique_ptr<QDialog> dialog = kind.open(store);
            MessageScript messages;
            dialog->show();
            retype(child<QComboBox>(dialog.get(), "templateList"), u("保存済み"));
            kind.change(*dialog);
            click(dialog.get(), "saveButton");
            QVERIFY(kind.stored(store).contains(u("保存済み")));
            // Loading a stored template after a change replaces the change: that is the
            // user's own choice, and leaves nothing unsaved.
            kind.change(*dialog);
            pick(child<QComboBox>(dialog.get(), "templateList"), 0);
            messages.shown.clear();
            closeBy(*dialog, Close::Ok);
            QVERIFY2(!dialog->isVisible(), kind.name);
            QVERIFY2(messages.shown.isEmpty(), kind.name);
            QVERIFY(!messages.unexpectedQuestion);
        }
    }

    void newStartsAnEmptyTemplateTheUserNames() {
        for (const EditorKind& kind : editors()) {
            SettingsStore store = sampleStore();
            const std::unique_ptr<QDialog> dialog = kind.open(store);
            MessageScript messages;
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            QCOMPARE(child<QPushButton>(dialog.get(), "newButton")->text(), u("新規"));
            pick(child<QComboBox>(dialog.get(), "templateList"), 0);

            // Work on screen is asked about first; Cancel leaves it there.
            kind.change(*dialog);
            messages.answers = {MessageAnswer::Cancel};
            click(dialog.get(), "newButton");
            QCOMPARE(messages.shown.size(), 1);
            QVERIFY(!child<QComboBox>(dialog.get(), "templateList")->currentText().isEmpty());

            messages.answers = {MessageAnswer::No};
            click(dialog.get(), "newButton");
            auto* names = child<QComboBox>(dialog.get(), "templateList");
            QVERIFY2(names->currentText().isEmpty(), kind.name);
            QVERIFY(names->lineEdit()->hasFocus());
            typeText(names->lineEdit(), u("空っぽ"));
            click(dialog.get(), "saveButton");
            QVERIFY2(kind.stored(store).contains(u("空っぽ")), kind.name);
            QVERIFY(!messages.unexpectedQuestion);
        }
        // Stored empty: a replacement set without rules, an ending set without words.
        SettingsStore store = sampleStore();
        {
            CReplaceTemplateDlg dialog(store, store.GetReplacementSet(1));
            MessageScript messages;
            dialog.show();
            click(&dialog, "newButton");
            QCOMPARE(child<QTabBar>(&dialog, "ruleTabs")->count(), 1);
            typeText(child<QComboBox>(&dialog, "templateList")->lineEdit(), u("空"));
            click(&dialog, "saveButton");
        }
        QCOMPARE(store.GetReplacementSet(2).name, sjis("空"));
        QCOMPARE(store.GetReplacementSet(2).ruleCount(), std::size_t{0});
        {
            CEndingTemplateDlg dialog(store, store.GetEndingSet(1));
            MessageScript messages;
            dialog.show();
            click(&dialog, "newButton");
            typeText(child<QComboBox>(&dialog, "templateList")->lineEdit(), u("空"));
            click(&dialog, "saveButton");
        }
        EndingSet empty;
        empty.name = sjis("空");
        QCOMPARE(store.GetEndingSet(2), empty);
    }

    void everyRuleShowsInTheListBesideTheTabs() {
        SettingsStore store = sampleStore();
        ReplacementSet many;
        many.name = sjis("たくさん");
        many.clearRules();
        for (int rule = 1; rule <= 12; ++rule)
            many.addRule({sjis(QStringLiteral("元%1").arg(rule).toUtf8().constData()), "", "", ""},
                         sjis(QStringLiteral("先%1").arg(rule).toUtf8().constData()));
        CReplaceTemplateDlg dialog(store, many);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = child<QListWidget>(&dialog, "ruleList");
        QCOMPARE(list->count(), 13);
        QCOMPARE(list->item(6)->text(), u("7. 元7 → 先7"));
        QCOMPARE(list->item(12)->text(), u("置換追加"));
        // At a glance: every line in view, none behind a scroll bar.
        for (int row = 0; row < list->count(); ++row)
            QVERIFY2(list->viewport()->rect().contains(list->visualItemRect(list->item(row))),
                     qPrintable(QString::number(row)));

        // A line picks its tab, and a tab its line; the line follows the boxes.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(9)).center());
        auto* tabs = child<QTabBar>(&dialog, "ruleTabs");
        QCOMPARE(tabs->currentIndex(), 9);
        QCOMPARE(child<QLineEdit>(&dialog, "source1")->text(), u("元10"));
        retype(child<QLineEdit>(&dialog, "target"), u("変えた"));
        QCOMPARE(list->item(9)->text(), u("10. 元10 → 変えた"));
        tabs->setCurrentIndex(2);
        QCOMPARE(list->currentRow(), 2);
    }
};

QTEST_MAIN(TemplateEditorsTest)
#include "template_editors_test.moc"
