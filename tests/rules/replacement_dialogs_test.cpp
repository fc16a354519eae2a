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

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

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

QTabBar* tabs(QWidget* dialog) {
    return child<QTabBar>(dialog, "ruleTabs");
}

QStringList tabTexts(QWidget* dialog) {
    QStringList texts;
    for (int tab = 0; tab < tabs(dialog)->count(); ++tab)
        texts.append(tabs(dialog)->tabText(tab));
    return texts;
}

void clickTab(QWidget* dialog, int tab) {
    QTabBar* bar = tabs(dialog);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
}

QLineEdit* source(QWidget* dialog, int slot) {
    return child<QLineEdit>(dialog, QStringLiteral("source%1").arg(slot).toLatin1().constData());
}

QLineEdit* target(QWidget* dialog) {
    return child<QLineEdit>(dialog, "target");
}

// The five boxes, sources 1 to 4 then the target.
QStringList boxes(QWidget* dialog) {
    return {source(dialog, 1)->text(), source(dialog, 2)->text(), source(dialog, 3)->text(),
            source(dialog, 4)->text(), target(dialog)->text()};
}

QPushButton* ruleButton(QWidget* dialog) {
    return child<QPushButton>(dialog, "ruleButton");
}

QComboBox* templateList(QWidget* dialog) {
    return child<QComboBox>(dialog, "templateList");
}

const QString kAddTab = QString::fromUtf8("置換追加");
const QString kDeleteRule = QString::fromUtf8("置換削除");

} // namespace

class ReplacementDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void openingShowsOneTabPerRuleAndTheAddTab() {
        SettingsStore store = storeWith({});
        CReplaceTemplateDlg dialog(store, numbered("mine", 3));
        dialog.show();
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), u("置換2"), u("置換3"), kAddTab}));
        QCOMPARE(tabs(&dialog)->currentIndex(), 0);
        QCOMPARE(boxes(&dialog), (QStringList{"r1", "", "", "", "r1"}));
        QCOMPARE(ruleButton(&dialog)->text(), kDeleteRule);
        QVERIFY(ruleButton(&dialog)->isEnabled());
        QCOMPARE(templateList(&dialog)->currentText(), QString());
        QVERIFY(!child<QPushButton>(&dialog, "deleteButton")->isEnabled());
        QCOMPARE(items(templateList(&dialog)), QStringList());
    }

    void addingTurnsTheAddTabsTextsIntoANewRule() {
        SettingsStore store = storeWith({});
        CReplaceTemplateDlg dialog(store, numbered("mine", 2));
        dialog.show();
        clickTab(&dialog, 2);
        QCOMPARE(boxes(&dialog), (QStringList{"", "", "", "", ""}));
        retype(source(&dialog, 1), u("ねこ"));
        retype(source(&dialog, 4), "cat");
        retype(target(&dialog), u("にゃ"));
        click(&dialog, "ruleButton");
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), u("置換2"), u("置換3"), kAddTab}));
        QCOMPARE(tabs(&dialog)->currentIndex(), 2);
        QCOMPARE(boxes(&dialog), (QStringList{u("ねこ"), "", "", "cat", u("にゃ")}));
        QCOMPARE(ruleButton(&dialog)->text(), kDeleteRule);
        clickTab(&dialog, 3);
        QCOMPARE(boxes(&dialog), (QStringList{"", "", "", "", ""}));
        clickTab(&dialog, 2);
        QCOMPARE(boxes(&dialog), (QStringList{u("ねこ"), "", "", "cat", u("にゃ")}));
    }

    void deletingARuleRenumbersTheTabsAndTheLastSelectsTheAddTab() {
        SettingsStore store = storeWith({});
        CReplaceTemplateDlg dialog(store, numbered("mine", 4));
        dialog.show();
        clickTab(&dialog, 1);
        click(&dialog, "ruleButton");
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), u("置換2"), u("置換3"), kAddTab}));
        QCOMPARE(tabs(&dialog)->currentIndex(), 1);
        QCOMPARE(boxes(&dialog), (QStringList{"r3", "", "", "", "r3"}));
        clickTab(&dialog, 2);
        click(&dialog, "ruleButton");
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), u("置換2"), kAddTab}));
        QCOMPARE(tabs(&dialog)->currentIndex(), 2);
        QCOMPARE(ruleButton(&dialog)->text(), kAddTab);
        QCOMPARE(boxes(&dialog), (QStringList{"", "", "", "", ""}));
    }

    void switchingTabsKeepsWhatWasTypedAndLoadingDropsIt() {
        SettingsStore store = storeWith({numbered("stored", 2)});
        CReplaceTemplateDlg dialog(store, numbered("mine", 2));
        dialog.show();
        retype(target(&dialog), "changed");
        clickTab(&dialog, 1);
        clickTab(&dialog, 0);
        QCOMPARE(target(&dialog)->text(), QStringLiteral("changed"));
        pick(templateList(&dialog), 0);
        QCOMPARE(target(&dialog)->text(), QStringLiteral("r1"));
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), u("置換2"), kAddTab}));
        QVERIFY(child<QPushButton>(&dialog, "deleteButton")->isEnabled());
    }

    void savingStoresTheRulesButNotThePendingOne() {
        SettingsStore store = storeWith({numbered("apple", 1), numbered("cherry", 1)});
        CReplaceTemplateDlg dialog(store, numbered("mine", 2));
        dialog.show();
        retype(source(&dialog, 2), "typed");
        clickTab(&dialog, 2);
        retype(target(&dialog), "pending");
        MessageScript messages;
        retype(templateList(&dialog), "banana");
        click(&dialog, "saveButton");

        QCOMPARE(storedNames(store), (QStringList{u("無し"), "apple", "banana", "cherry"}));
        ReplacementSet expected =
            replacementSet("banana", {{{"r1", "typed", "", ""}, "r1"}, {{"r2", "", "", ""}, "r2"}});
        QCOMPARE(store.GetReplacementSet(2), expected);
        QCOMPARE(messages.texts(), QStringList{u("テンプレート「banana」を保存しました")});
        QCOMPARE(templateList(&dialog)->currentIndex(), 1);
        QVERIFY(child<QPushButton>(&dialog, "deleteButton")->isEnabled());
        // The tabs are not rebuilt, and the boxes still show the add tab's texts.
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), u("置換2"), kAddTab}));
        QCOMPARE(target(&dialog)->text(), QStringLiteral("pending"));
    }

    void aSaveStartsThePendingRuleAfresh() {
        SettingsStore store = storeWith({});
        CReplaceTemplateDlg dialog(store, numbered("mine", 1));
        dialog.show();
        clickTab(&dialog, 1);
        retype(target(&dialog), "pending");
        clickTab(&dialog, 0);
        MessageScript messages;
        retype(templateList(&dialog), "saved");
        click(&dialog, "saveButton");
        clickTab(&dialog, 1);
        QCOMPARE(target(&dialog)->text(), QString());
    }

    void deletingUsesTheReplacementTexts() {
        SettingsStore store = storeWith({numbered("apple", 1), numbered("berry", 2)});
        CReplaceTemplateDlg dialog(store, numbered("mine", 1));
        dialog.show();
        pick(templateList(&dialog), 1);
        MessageScript messages;
        messages.answers = {MessageAnswer::Yes};
        click(&dialog, "deleteButton");
        QCOMPARE(messages.texts(), (QStringList{u("置換テンプレート「berry」を削除しますか？"),
                                                u("置換テンプレート「berry」を削除しました。")}));
        QCOMPARE(messages.shown[0].caption, u("テンプレート削除"));
        QCOMPARE(messages.shown[1].caption, u("テンプレート削除完了"));
        QCOMPARE(storedNames(store), (QStringList{u("無し"), "apple"}));
        QCOMPARE(templateList(&dialog)->currentText(), QString());
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), u("置換2"), kAddTab}));
    }

    void aRuleTextShiftJisCannotHoldIsRefused() {
        SettingsStore store = storeWith({});
        CReplaceTemplateDlg dialog(store, numbered("mine", 1));
        dialog.show();
        MessageScript messages;
        retype(target(&dialog), u("🍣"));
        retype(templateList(&dialog), "sushi");
        click(&dialog, "saveButton");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].icon, MessageIcon::Warning);
        QCOMPARE(store.replacementSetCount(), 1u);
    }

    void theChooserHandsBackTheEditedRules() {
        const SettingsStore store = storeWith({numbered("apple", 2)});
        CCurrentReplaceDlg dialog(store, numbered("apple", 1));
        dialog.show();
        QCOMPARE(items(templateList(&dialog)), (QStringList{u("無し"), "apple"}));
        QCOMPARE(templateList(&dialog)->currentIndex(), 1);
        pick(templateList(&dialog), 0);
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), kAddTab}));
        QCOMPARE(boxes(&dialog), (QStringList{"", "", "", "", ""}));
        pick(templateList(&dialog), 1);
        retype(target(&dialog), "edited");
        clickTab(&dialog, 2);
        retype(target(&dialog), "never added");
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        ReplacementSet expected =
            replacementSet("apple", {{{"r1", "", "", ""}, "edited"}, {{"r2", "", "", ""}, "r2"}});
        QCOMPARE(dialog.replacementSet(), expected);
        QCOMPARE(store.GetReplacementSet(1), numbered("apple", 2));
    }

    void theChooserTakesATypedNameAndEndsWithoutResultOnCancel() {
        const SettingsStore store = storeWith({numbered("apple", 2)});
        CCurrentReplaceDlg typed(store, numbered("mine", 1));
        typed.show();
        QCOMPARE(templateList(&typed)->currentIndex(), -1);
        retype(templateList(&typed), u("新規"));
        click(&typed, "okButton");
        QCOMPARE(typed.replacementSet().name, sjis("新規"));
        QCOMPARE(typed.replacementSet().ruleCount(), 1u);

        CCurrentReplaceDlg cancelled(store, numbered("mine", 1));
        cancelled.show();
        click(&cancelled, "cancelButton");
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    }

    void aSetWithoutRulesShowsOnlyTheAddTab() {
        SettingsStore store = storeWith({});
        CReplaceTemplateDlg dialog(store, replacementSet("empty", {}));
        dialog.show();
        QCOMPARE(tabTexts(&dialog), QStringList{kAddTab});
        QCOMPARE(ruleButton(&dialog)->text(), kAddTab);
        QVERIFY(ruleButton(&dialog)->isEnabled());
        retype(source(&dialog, 1), "x");
        click(&dialog, "ruleButton");
        QCOMPARE(tabTexts(&dialog), (QStringList{u("置換1"), kAddTab}));
        QVERIFY(!ruleButton(&dialog)->isEnabled());
    }
};

QTEST_MAIN(ReplacementDialogsTest)
#include "replacement_dialogs_test.moc"
