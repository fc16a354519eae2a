// The replacement-set editor and chooser: the rule tabs with the pending rule behind the
// add tab, saving and deleting templates, and choosing the current set.
#include "rules/current_replace_dlg.h"
#include "rules/replace_template_dlg.h"
#include "settings/settings_store.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/sjis.h"

#include <QTabBar>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

struct Rule {
    std::array<const char*, 4> sources;
    const char* target;
};

ReplacementSet replacementSet(const char* utf8Name, const std::vector<Rule>& rules) {
    ReplacementSet set;
    set.name = sjis(utf8Name);
    set.clearRules();
    for (const Rule& rule : rules)
        set.addRule({sjis(rule.sources[0]), sjis(rule.sources[1]), sjis(rule.sources[2]),
                     sjis(rule.sources[3])},
                    sjis(rule.target));
    return set;
}

ReplacementSet numbered(const char* name, int count) {
    static const char* const kTexts[] = {"r1", "r2", "r3", "r4", "r5"};
    std::vector<Rule> rules;
    for (int rule = 0; rule < count; ++rule)
        rules.push_back({{kTexts[rule], "", "", ""}, kTexts[rule]});
    return replacementSet(name, rules);
}

SettingsStore storeWith(const std::vector<ReplacementSet>& sets) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    for (const ReplacementSet& set : sets)
        store.InsertReplacementSet(set, store.replacementSetCount());
    store.BuildFormatNames();
    return store;
}

QStringList storedNames(const SettingsStore& store) {
    QStringList names;
    for (std::size_t at = 0; at < store.replacementSetCount(); ++at)
        names.append(QString::fromStdString(utf8(store.GetReplacementSet(at).name)));
    return names;
}

// `Dialog` on `mine` over a store holding `sets`, shown, with its message boxes scripted.
template <typename Dialog> struct Shown {
    SettingsStore store;
    Dialog dialog;
    MessageScript messages;

    Shown(const std::vector<ReplacementSet>& sets, const ReplacementSet& mine)
        : store(storeWith(sets)), dialog(store, mine) {
        dialog.show();
    }
    QTabBar* tabs() { return child<QTabBar>(&dialog, "ruleTabs"); }
    void clickTab(int tab) {
        QTest::mouseClick(tabs(), Qt::LeftButton, Qt::NoModifier, tabs()->tabRect(tab).center());
    }
    QStringList tabTexts() {
        QStringList texts;
        for (int tab = 0; tab < tabs()->count(); ++tab)
            texts.append(tabs()->tabText(tab));
        return texts;
    }
    QLineEdit* source(int slot) {
        return child<QLineEdit>(&dialog,
                                QStringLiteral("source%1").arg(slot).toLatin1().constData());
    }
    QLineEdit* target() { return child<QLineEdit>(&dialog, "target"); }
    // The five boxes, sources 1 to 4 then the target.
    QStringList boxes() {
        return {source(1)->text(), source(2)->text(), source(3)->text(), source(4)->text(),
                target()->text()};
    }
    QPushButton* ruleButton() { return child<QPushButton>(&dialog, "ruleButton"); }
    QPushButton* deleteButton() { return child<QPushButton>(&dialog, "deleteButton"); }
    QComboBox* list() { return child<QComboBox>(&dialog, "templateList"); }
    void press(const char* button) { click(&dialog, button); }
};
using Editor = Shown<CReplaceTemplateDlg>;
using Chooser = Shown<CCurrentReplaceDlg>;

const QString kAddTab = QString::fromUtf8("置換追加");
const QString kDeleteRule = QString::fromUtf8("置換削除");

} // namespace

class ReplacementDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void ruleBoxesHoldTenFullWidthCharacters() {
        Editor e({}, numbered("mine", 1));
        Chooser c({}, numbered("mine", 1));
        for (auto* shown : {static_cast<QWidget*>(&e.dialog), static_cast<QWidget*>(&c.dialog)})
            QVERIFY(QTest::qWaitForWindowExposed(shown));
        // The longest source of the starter sets.
        const QString longest = u("ありがとうございます");
        for (int slot = 1; slot <= 4; ++slot) {
            QVERIFY(showsWhole(e.source(slot), longest));
            QVERIFY(showsWhole(c.source(slot), longest));
        }
        QVERIFY(showsWhole(e.target(), longest));
        QVERIFY(showsWhole(c.target(), longest));
    }

    void openingShowsOneTabPerRuleAndTheAddTab() {
        Editor e({}, numbered("mine", 3));
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), u("置換2"), u("置換3"), kAddTab}));
        QCOMPARE(e.tabs()->currentIndex(), 0);
        QCOMPARE(e.boxes(), (QStringList{"r1", "", "", "", "r1"}));
        QCOMPARE(e.ruleButton()->text(), kDeleteRule);
        QVERIFY(e.ruleButton()->isEnabled());
        QCOMPARE(e.list()->currentText(), QString());
        QVERIFY(!e.deleteButton()->isEnabled());
        QCOMPARE(items(e.list()), QStringList());
    }

    void addingTurnsTheAddTabsTextsIntoANewRule() {
        Editor e({}, numbered("mine", 2));
        const QStringList empty{"", "", "", "", ""}, added{u("ねこ"), "", "", "cat", u("にゃ")};
        e.clickTab(2);
        QCOMPARE(e.boxes(), empty);
        retype(e.source(1), u("ねこ"));
        retype(e.source(4), "cat");
        retype(e.target(), u("にゃ"));
        e.press("ruleButton");
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), u("置換2"), u("置換3"), kAddTab}));
        QCOMPARE(e.tabs()->currentIndex(), 2);
        QCOMPARE(e.boxes(), added);
        QCOMPARE(e.ruleButton()->text(), kDeleteRule);
        e.clickTab(3);
        QCOMPARE(e.boxes(), empty);
        e.clickTab(2);
        QCOMPARE(e.boxes(), added);
    }

    void deletingARuleRenumbersTheTabsAndTheLastSelectsTheAddTab() {
        Editor e({}, numbered("mine", 4));
        e.clickTab(1);
        e.press("ruleButton");
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), u("置換2"), u("置換3"), kAddTab}));
        QCOMPARE(e.tabs()->currentIndex(), 1);
        QCOMPARE(e.boxes(), (QStringList{"r3", "", "", "", "r3"}));
        e.clickTab(2);
        e.press("ruleButton");
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), u("置換2"), kAddTab}));
        QCOMPARE(e.tabs()->currentIndex(), 2);
        QCOMPARE(e.ruleButton()->text(), kAddTab);
        QCOMPARE(e.boxes(), (QStringList{"", "", "", "", ""}));
    }

    void switchingTabsKeepsWhatWasTypedAndLoadingDropsIt() {
        Editor e({numbered("stored", 2)}, numbered("mine", 2));
        retype(e.target(), "changed");
        e.clickTab(1);
        e.clickTab(0);
        QCOMPARE(e.target()->text(), QStringLiteral("changed"));
        pick(e.list(), 0);
        QCOMPARE(e.target()->text(), QStringLiteral("r1"));
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), u("置換2"), kAddTab}));
        QVERIFY(e.deleteButton()->isEnabled());
    }

    void savingStoresTheRulesButNotThePendingOne() {
        Editor e({numbered("apple", 1), numbered("cherry", 1)}, numbered("mine", 2));
        retype(e.source(2), "typed");
        e.clickTab(2);
        retype(e.target(), "pending");
        retype(e.list(), "banana");
        e.press("saveButton");

        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "apple", "banana", "cherry"}));
        QCOMPARE(e.store.GetReplacementSet(2),
                 replacementSet("banana",
                                {{{"r1", "typed", "", ""}, "r1"}, {{"r2", "", "", ""}, "r2"}}));
        QCOMPARE(e.messages.texts(), QStringList{u("テンプレート「banana」を保存しました")});
        QCOMPARE(e.list()->currentIndex(), 1);
        QVERIFY(e.deleteButton()->isEnabled());
        // The tabs are not rebuilt, and the boxes still show the add tab's texts.
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), u("置換2"), kAddTab}));
        QCOMPARE(e.target()->text(), QStringLiteral("pending"));
    }

    void aSaveStartsThePendingRuleAfresh() {
        Editor e({}, numbered("mine", 1));
        e.clickTab(1);
        retype(e.target(), "pending");
        e.clickTab(0);
        retype(e.list(), "saved");
        e.press("saveButton");
        e.clickTab(1);
        QCOMPARE(e.target()->text(), QString());
    }

    void deletingUsesTheReplacementTexts() {
        Editor e({numbered("apple", 1), numbered("berry", 2)}, numbered("mine", 1));
        pick(e.list(), 1);
        e.messages.answers = {MessageAnswer::Yes};
        e.press("deleteButton");
        QCOMPARE(e.messages.texts(), (QStringList{u("置換テンプレート「berry」を削除しますか？"),
                                                  u("置換テンプレート「berry」を削除しました。")}));
        QCOMPARE(e.messages.shown[0].caption, u("テンプレート削除"));
        QCOMPARE(e.messages.shown[1].caption, u("テンプレート削除完了"));
        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "apple"}));
        QCOMPARE(e.list()->currentText(), QString());
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), u("置換2"), kAddTab}));
    }

    void aRuleTextShiftJisCannotHoldIsRefused() {
        Editor e({}, numbered("mine", 1));
        retype(e.target(), u("🍣"));
        retype(e.list(), "sushi");
        e.press("saveButton");
        QCOMPARE(e.messages.shown.size(), 1);
        QCOMPARE(e.messages.shown[0].icon, MessageIcon::Warning);
        QCOMPARE(e.store.replacementSetCount(), 1u);
    }

    void theChooserHandsBackTheEditedRules() {
        Chooser c({numbered("apple", 2)}, numbered("apple", 1));
        QCOMPARE(items(c.list()), (QStringList{u("無し"), "apple"}));
        QCOMPARE(c.list()->currentIndex(), 1);
        pick(c.list(), 0);
        QCOMPARE(c.tabTexts(), (QStringList{u("置換1"), kAddTab}));
        QCOMPARE(c.boxes(), (QStringList{"", "", "", "", ""}));
        pick(c.list(), 1);
        retype(c.target(), "edited");
        c.clickTab(2);
        retype(c.target(), "never added");
        c.press("okButton");
        QCOMPARE(c.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(c.dialog.replacementSet(), replacementSet("apple", {{{"r1", "", "", ""}, "edited"},
                                                                     {{"r2", "", "", ""}, "r2"}}));
        QCOMPARE(c.store.GetReplacementSet(1), numbered("apple", 2));
    }

    void theChooserTakesATypedNameAndEndsWithoutResultOnCancel() {
        Chooser typed({numbered("apple", 2)}, numbered("mine", 1));
        QCOMPARE(typed.list()->currentIndex(), -1);
        retype(typed.list(), u("新規"));
        typed.press("okButton");
        QCOMPARE(typed.dialog.replacementSet(), numbered("新規", 1));

        Chooser cancelled({numbered("apple", 2)}, numbered("mine", 1));
        cancelled.press("cancelButton");
        QCOMPARE(cancelled.dialog.result(), int(QDialog::Rejected));
    }

    void aSetWithoutRulesShowsOnlyTheAddTab() {
        Editor e({}, replacementSet("empty", {}));
        QCOMPARE(e.tabTexts(), QStringList{kAddTab});
        QCOMPARE(e.ruleButton()->text(), kAddTab);
        QVERIFY(e.ruleButton()->isEnabled());
        retype(e.source(1), "x");
        e.press("ruleButton");
        QCOMPARE(e.tabTexts(), (QStringList{u("置換1"), kAddTab}));
        QVERIFY(!e.ruleButton()->isEnabled());
    }
};

QTEST_MAIN(ReplacementDialogsTest)
#include "replacement_dialogs_test.moc"
