// The overall-template editor and chooser: saving, deleting and following templates.
#include "settings/dialogs/current_template_dlg.h"
#include "settings/dialogs/template_dlg.h"
#include "settings/settings_store.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/records.h"

#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

ReplacementSet replacement(const char* name, const char* target) {
    ReplacementSet set;
    set.name = sjis(name);
    set.targets[0] = sjis(target);
    return set;
}

// Sets "kaze" (ending) and "tsuki" (replacement) beside the none sets, and `templates`.
SettingsStore storeWith(const std::vector<OverallTemplate>& templates) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertEndingSet(endingSet("kaze", "kaze", 40), 1);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.InsertReplacementSet(replacement("tsuki", "moon"), 1);
    for (const OverallTemplate& each : templates)
        store.InsertOverallTemplate(each, store.overallTemplateCount());
    store.BuildFormatNames();
    return store;
}

QStringList storedNames(const SettingsStore& store) {
    QStringList names;
    for (std::size_t at = 0; at < store.overallTemplateCount(); ++at)
        names.append(QString::fromStdString(utf8(store.GetOverallTemplate(at).name)));
    return names;
}

QComboBox* list(QWidget* dialog, const char* name) {
    return child<QComboBox>(dialog, name);
}

// The texts of the replacement, ending and format fields.
QStringList choices(QWidget* dialog) {
    return {list(dialog, "replacementList")->currentText(),
            list(dialog, "endingList")->currentText(), list(dialog, "formatList")->currentText()};
}

} // namespace

class TemplateDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void theEditorOpensOnTheCurrentCombinationAndSavesWhatIsTyped() {
        SettingsStore store = storeWith({});
        CTemplateDlg dialog(store, overallTemplate("", "kaze", "tsuki", "標準的"));
        dialog.show();
        QCOMPARE(items(list(&dialog, "replacementList")), (QStringList{u("無し"), "tsuki"}));
        QCOMPARE(items(list(&dialog, "endingList")), (QStringList{u("無し"), "kaze"}));
        QCOMPARE(list(&dialog, "formatList")->count(), 7);
        QCOMPARE(choices(&dialog), (QStringList{"tsuki", "kaze", u("標準的")}));
        QCOMPARE(items(list(&dialog, "templateList")), QStringList());
        QCOMPARE(list(&dialog, "templateList")->currentText(), QString());
        QVERIFY(!child<QPushButton>(&dialog, "deleteButton")->isEnabled());

        MessageScript messages;
        retype(list(&dialog, "endingList"), u("どこにもない"));
        retype(list(&dialog, "templateList"), "odd");
        click(&dialog, "saveButton");
        QCOMPARE(store.GetOverallTemplate(0),
                 overallTemplate("odd", "どこにもない", "tsuki", "標準的"));
        // Closing the editor keeps its saves.
        dialog.close();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(storedNames(store), QStringList{"odd"});
    }

    void savingANewNameStoresTheCombinationAtItsSortedPlace() {
        SettingsStore store =
            storeWith({overallTemplate("alpha", "", "", ""), overallTemplate("gamma", "", "", "")});
        CTemplateDlg dialog(store, overallTemplate("", "kaze", "tsuki", "標準的"));
        dialog.show();
        MessageScript messages;
        retype(list(&dialog, "templateList"), "Beta");
        click(&dialog, "saveButton");
        QCOMPARE(storedNames(store), (QStringList{"alpha", "Beta", "gamma"}));
        QCOMPARE(store.GetOverallTemplate(1), overallTemplate("Beta", "kaze", "tsuki", "標準的"));
        QCOMPARE(messages.texts(), QStringList{u("テンプレート「Beta」を保存しました")});
        QCOMPARE(messages.shown[0].caption, u("テンプレート保存完了"));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
        QCOMPARE(list(&dialog, "templateList")->currentIndex(), 1);
        QVERIFY(child<QPushButton>(&dialog, "deleteButton")->isEnabled());
    }

    void pickingATemplateFollowsItsSetsAndStyle() {
        SettingsStore store = storeWith({overallTemplate("full", "kaze", "tsuki", "某巨大掲示板群"),
                                         overallTemplate("orphan", "gone", "gone", "nothing")});
        CTemplateDlg dialog(store, OverallTemplate{});
        dialog.show();
        pick(list(&dialog, "templateList"), 0);
        QCOMPARE(choices(&dialog), (QStringList{"tsuki", "kaze", u("某巨大掲示板群")}));
        QVERIFY(child<QPushButton>(&dialog, "deleteButton")->isEnabled());
        pick(list(&dialog, "templateList"), 1);
        QCOMPARE(choices(&dialog), (QStringList{u("無し"), u("無し"), QString()}));
        QCOMPARE(list(&dialog, "formatList")->currentIndex(), -1);
    }

    void deletingAsksAndKeepsTheCombinationOnScreen() {
        SettingsStore store = storeWith({overallTemplate("one", "kaze", "tsuki", "標準的"),
                                         overallTemplate("two", "", "", "")});
        CTemplateDlg dialog(store, OverallTemplate{});
        dialog.show();
        MessageScript messages;
        messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        pick(list(&dialog, "templateList"), 0);
        click(&dialog, "deleteButton");
        QVERIFY(!child<QPushButton>(&dialog, "deleteButton")->isEnabled());
        pick(list(&dialog, "templateList"), 0);
        click(&dialog, "deleteButton");
        QCOMPARE(messages.texts(), (QStringList{u("テンプレート「one」を削除しますか？"),
                                                u("テンプレート「one」を削除しますか？"),
                                                u("テンプレート「one」を削除しました。")}));
        QCOMPARE(storedNames(store), QStringList{"two"});
        QCOMPARE(list(&dialog, "templateList")->currentText(), QString());
        QCOMPARE(choices(&dialog), (QStringList{"tsuki", "kaze", u("標準的")}));
        QVERIFY(!child<QPushButton>(&dialog, "deleteButton")->isEnabled());
    }

    void theChooserHandsBackAPickedTemplateWhole() {
        const SettingsStore store = storeWith({overallTemplate("other", "", "", ""),
                                               overallTemplate("full", "kaze", "tsuki", "標準的")});
        CCurrentTemplateDlg dialog(store, noneReplacementSet(), noneEndingSet(),
                                   overallTemplate("other", "", "", ""));
        dialog.show();
        QCOMPARE(list(&dialog, "templateList")->currentIndex(), 0);
        pick(list(&dialog, "templateList"), 1);
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.overallTemplate(), overallTemplate("full", "kaze", "tsuki", "標準的"));
        QCOMPARE(dialog.endingSet(), endingSet("kaze", "kaze", 40));
        QCOMPARE(dialog.replacementSet(), replacement("tsuki", "moon"));
    }

    void aTemplateNamingADeletedSetResolvesToTheNoneSet() {
        const SettingsStore store = storeWith({overallTemplate("stale", "gone", "gone", "標準的")});
        CCurrentTemplateDlg dialog(store, ReplacementSet{}, EndingSet{}, OverallTemplate{});
        dialog.show();
        pick(list(&dialog, "templateList"), 0);
        click(&dialog, "okButton");
        QCOMPARE(dialog.overallTemplate(), overallTemplate("stale", "無し", "無し", "標準的"));
        QCOMPARE(dialog.endingSet(), noneEndingSet());
        QCOMPARE(dialog.replacementSet(), noneReplacementSet());
    }

    void aTypedSetNameThatIsNotPickedGivesTheEmptySet() {
        const SettingsStore store = storeWith({});
        CCurrentTemplateDlg dialog(store, replacement("tsuki", "moon"),
                                   endingSet("kaze", "kaze", 40),
                                   overallTemplate("", "kaze", "tsuki", "標準的"));
        dialog.show();
        QCOMPARE(choices(&dialog), (QStringList{"tsuki", "kaze", u("標準的")}));
        retype(list(&dialog, "endingList"), "kaze");
        click(&dialog, "okButton");
        QCOMPARE(dialog.overallTemplate(), overallTemplate("", "kaze", "tsuki", "標準的"));
        QCOMPARE(dialog.endingSet(), EndingSet{});
        QCOMPARE(dialog.replacementSet(), replacement("tsuki", "moon"));
    }
};

QTEST_MAIN(TemplateDialogsTest)
#include "template_dialogs_test.moc"
