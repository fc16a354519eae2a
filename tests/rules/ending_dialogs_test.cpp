// The ending-set editor and chooser: saving, overwriting and deleting templates by name,
// and choosing the current set.
#include "rules/current_ending_dlg.h"
#include "rules/ending_template_dlg.h"
#include "tests/rules/ending_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QStringList storedNames(const SettingsStore& store) {
    QStringList names;
    for (std::size_t at = 0; at < store.endingSetCount(); ++at)
        names.append(QString::fromStdString(utf8(store.GetEndingSet(at).name)));
    return names;
}

QComboBox* templateList(QWidget* dialog) {
    return child<QComboBox>(dialog, "templateList");
}

QPushButton* deleteButton(QWidget* dialog) {
    return child<QPushButton>(dialog, "deleteButton");
}

} // namespace

class EndingDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void theEditorListsTheStoredSetsAndAnEmptyNameOnlyAsksForOne() {
        SettingsStore store = storeWithEndings({endingSet("apple", {}), endingSet("berry", {})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {10, 20, 30, 40}));
        dialog.show();
        QCOMPARE(items(templateList(&dialog)), (QStringList{"apple", "berry"}));
        QCOMPARE(templateList(&dialog)->currentText(), QString());
        QVERIFY(!deleteButton(&dialog)->isEnabled());
        QCOMPARE(child<QPushButton>(&dialog, "saveButton")->text(), u("保存"));
        QCOMPARE(deleteButton(&dialog)->text(), u("削除"));
        QVERIFY(!child<QPushButton>(&dialog, "cancelButton"));

        MessageScript messages;
        click(&dialog, "saveButton");
        QCOMPARE(messages.texts(), QStringList{u("テンプレート名を入力して下さい。")});
        QCOMPARE(messages.shown[0].caption, u("テンプレート保存"));
        QCOMPARE(messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(storedNames(store), (QStringList{u("無し"), "apple", "berry"}));
        QCOMPARE(items(templateList(&dialog)), (QStringList{"apple", "berry"}));
        QVERIFY(!deleteButton(&dialog)->isEnabled());
    }

    void savingUnderANewNameInsertsAtItsSortedPlace() {
        SettingsStore store = storeWithEndings({endingSet("apple", {}), endingSet("cherry", {})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {10, 20, 30, 40}, {"a", "b", "", ""}));
        dialog.show();
        MessageScript messages;
        retype(templateList(&dialog), u("Berry"));
        retype(wordBox(&dialog, 3), u("です"));
        child<QCheckBox>(&dialog, "changeLineBreaks")->click();
        click(&dialog, "saveButton");

        QCOMPARE(storedNames(store), (QStringList{u("無し"), "apple", "Berry", "cherry"}));
        const EndingSet saved = store.GetEndingSet(2);
        QCOMPARE(saved.frequencies, (std::array<std::int32_t, 4>{10, 20, 30, 40}));
        QCOMPARE(saved.words[2], sjis("です"));
        QCOMPARE(saved.changeLineBreaks, 1);
        QCOMPARE(items(templateList(&dialog)), (QStringList{"apple", "Berry", "cherry"}));
        QCOMPARE(templateList(&dialog)->currentIndex(), 1);
        QVERIFY(deleteButton(&dialog)->isEnabled());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, u("テンプレート「Berry」を保存しました"));
        QCOMPARE(messages.shown[0].caption, u("テンプレート保存完了"));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
    }

    void savingOverAListedNameAsksAndYesOverwritesThatSet() {
        SettingsStore store =
            storeWithEndings({endingSet("apple", {1, 1, 1, 1}), endingSet("berry", {2, 2, 2, 2})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {}));
        dialog.show();
        pick(templateList(&dialog), 0);
        retype(percentBox(&dialog, 1), "50");
        retype(templateList(&dialog), "berry");
        MessageScript messages;
        messages.answers = {MessageAnswer::Yes};
        click(&dialog, "saveButton");

        QCOMPARE(messages.texts(),
                 (QStringList{u("テンプレート「berry」はすでに存在します。上書きしますか？"),
                              u("上書き保存しました")}));
        QCOMPARE(messages.shown[0].caption, u("テンプレート保存"));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Question);
        QCOMPARE(messages.shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(messages.shown[1].caption, u("テンプレート保存完了"));
        QCOMPARE(messages.shown[1].icon, MessageIcon::None);
        QCOMPARE(store.GetEndingSet(1).frequencies, (std::array<std::int32_t, 4>{1, 1, 1, 1}));
        QCOMPARE(store.GetEndingSet(2).frequencies, (std::array<std::int32_t, 4>{50, 1, 1, 1}));
        QCOMPARE(store.GetEndingSet(2).name, std::string("berry"));
    }

    void typingAListedNameAndLeavingTheFieldKeepsWhatIsOnScreen() {
        SettingsStore store =
            storeWithEndings({endingSet("apple", {1, 1, 1, 1}), endingSet("berry", {2, 2, 2, 2})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {}));
        dialog.show();
        retype(percentBox(&dialog, 1), "50");
        retype(templateList(&dialog), "berry");
        // The field loses the focus (or takes Enter) on the way to the save button.
        emit templateList(&dialog)->lineEdit()->editingFinished();
        emit templateList(&dialog)->lineEdit()->returnPressed();
        QCOMPARE(percentBox(&dialog, 1)->text(), QString("50"));
        MessageScript messages;
        messages.answers = {MessageAnswer::Yes};
        click(&dialog, "saveButton");
        QCOMPARE(store.GetEndingSet(2).frequencies, (std::array<std::int32_t, 4>{50, 0, 0, 0}));
    }

    void answeringNoStoresNothingButSelectsTheName() {
        SettingsStore store = storeWithEndings({endingSet("apple", {}), endingSet("berry", {})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {5, 5, 5, 5}));
        dialog.show();
        retype(templateList(&dialog), "apple");
        retype(templateList(&dialog), "appl");
        QVERIFY(!deleteButton(&dialog)->isEnabled());
        retype(templateList(&dialog), "apple");
        MessageScript messages;
        messages.answers = {MessageAnswer::No};
        click(&dialog, "saveButton");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(store.GetEndingSet(1), endingSet("apple", {}));
        QCOMPARE(templateList(&dialog)->currentIndex(), 0);
        QVERIFY(deleteButton(&dialog)->isEnabled());
    }

    void aNameDifferingInLetterCaseOverwritesUnderTheTypedName() {
        SettingsStore store = storeWithEndings({endingSet("Apple", {1, 0, 0, 0})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {9, 0, 0, 0}));
        dialog.show();
        retype(templateList(&dialog), "APPLE");
        QVERIFY(deleteButton(&dialog)->isEnabled());
        MessageScript messages;
        messages.answers = {MessageAnswer::Yes};
        click(&dialog, "saveButton");
        QCOMPARE(messages.shown[0].text,
                 u("テンプレート「Apple」はすでに存在します。上書きしますか？"));
        QCOMPARE(storedNames(store), (QStringList{u("無し"), "APPLE"}));
        QCOMPARE(store.GetEndingSet(1).frequencies[0], 9);
        QCOMPARE(items(templateList(&dialog)), QStringList{"Apple"});
    }

    void savingUnderTheNoneNameMakesAnOrdinarySet() {
        SettingsStore store = storeWithEndings({});
        CEndingTemplateDlg dialog(store, endingSet("mine", {1, 2, 3, 4}));
        dialog.show();
        MessageScript messages;
        retype(templateList(&dialog), u("無し"));
        click(&dialog, "saveButton");
        QCOMPARE(storedNames(store), (QStringList{u("無し"), u("無し")}));
        QCOMPARE(store.GetEndingSet(0), noneEndingSet());
        QCOMPARE(store.GetEndingSet(1).frequencies, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
    }

    void loadingASetShowsItAndSavingKeepsItsFlag() {
        EndingSet flagged = endingSet("flagged", {10, 10, 10, 10}, {"w", "", "", ""});
        flagged.changeLineBreaks = 1;
        SettingsStore store = storeWithEndings({flagged});
        CEndingTemplateDlg dialog(store, endingSet("mine", {}));
        dialog.show();
        pick(templateList(&dialog), 0);
        QVERIFY(child<QCheckBox>(&dialog, "changeLineBreaks")->isChecked());
        QCOMPARE(wordBox(&dialog, 1)->text(), QStringLiteral("w"));
        QVERIFY(deleteButton(&dialog)->isEnabled());
        MessageScript messages;
        messages.answers = {MessageAnswer::Yes};
        click(&dialog, "saveButton");
        QCOMPARE(store.GetEndingSet(1), flagged);
    }

    void deletingAsksAndYesRemovesTheSetButKeepsItOnScreen() {
        SettingsStore store = storeWithEndings(
            {endingSet("apple", {}), endingSet("berry", {20, 20, 20, 20}, {"x", "", "", ""})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {}));
        dialog.show();
        pick(templateList(&dialog), 1);
        MessageScript messages;
        messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        click(&dialog, "deleteButton");
        QCOMPARE(store.endingSetCount(), 3u);
        QVERIFY(!deleteButton(&dialog)->isEnabled());
        pick(templateList(&dialog), 1);
        click(&dialog, "deleteButton");
        QCOMPARE(messages.texts(), (QStringList{u("テンプレート「berry」を削除しますか？"),
                                                u("テンプレート「berry」を削除しますか？"),
                                                u("テンプレート「berry」を削除しました。")}));
        QCOMPARE(messages.shown[0].caption, u("テンプレート削除"));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Question);
        QCOMPARE(messages.shown[2].caption, u("テンプレート削除完了"));
        QCOMPARE(messages.shown[2].icon, MessageIcon::None);
        QCOMPARE(storedNames(store), (QStringList{u("無し"), "apple"}));
        QCOMPARE(items(templateList(&dialog)), QStringList{"apple"});
        QCOMPARE(templateList(&dialog)->currentText(), QString());
        QCOMPARE(templateList(&dialog)->currentIndex(), -1);
        QVERIFY(!deleteButton(&dialog)->isEnabled());
        QCOMPARE(percentTexts(&dialog), (QStringList{"20", "20", "20", "20"}));
        QCOMPARE(wordBox(&dialog, 1)->text(), QStringLiteral("x"));
    }

    void saveAndDeleteReachTheNamedSetWhenTheStoreIsOutOfOrder() {
        // A hand-edited settings file may hold the sets in any order.
        SettingsStore store = storeWithEndings({endingSet("pear", {}), endingSet("fig", {})});
        CEndingTemplateDlg dialog(store, endingSet("mine", {7, 0, 0, 0}));
        dialog.show();
        QCOMPARE(items(templateList(&dialog)), (QStringList{"pear", "fig"}));
        MessageScript messages;
        retype(templateList(&dialog), "kiwi");
        click(&dialog, "saveButton");
        QCOMPARE(items(templateList(&dialog)), (QStringList{"kiwi", "pear", "fig"}));
        QCOMPARE(storedNames(store), (QStringList{u("無し"), "kiwi", "pear", "fig"}));

        messages.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
        retype(templateList(&dialog), "fig");
        click(&dialog, "saveButton");
        QCOMPARE(store.GetEndingSet(3).frequencies[0], 7);
        QCOMPARE(store.GetEndingSet(3).name, std::string("fig"));

        messages.answers = {MessageAnswer::Yes};
        retype(templateList(&dialog), "pear");
        click(&dialog, "deleteButton");
        QCOMPARE(storedNames(store), (QStringList{u("無し"), "kiwi", "fig"}));
        QCOMPARE(items(templateList(&dialog)), (QStringList{"kiwi", "fig"}));
        QVERIFY(!messages.unexpectedQuestion);
    }

    void aNameShiftJisCannotHoldIsRefused() {
        SettingsStore store = storeWithEndings({});
        CEndingTemplateDlg dialog(store, endingSet("mine", {}));
        dialog.show();
        MessageScript messages;
        retype(templateList(&dialog), u("寿司🍣"));
        click(&dialog, "saveButton");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, u("「寿司🍣」にはShift_JISで表せない文字が含まれています。"
                                           "Shift_JISで表せる文字に直して下さい。"));
        QCOMPARE(messages.shown[0].icon, MessageIcon::Warning);
        QCOMPARE(store.endingSetCount(), 1u);

        retype(templateList(&dialog), u("寿司"));
        retype(wordBox(&dialog, 2), u("🍣"));
        click(&dialog, "saveButton");
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(store.endingSetCount(), 1u);
        QCOMPARE(templateList(&dialog)->count(), 0);
    }

    void theChooserHandsBackTheEditedSetOnOk() {
        const SettingsStore store =
            storeWithEndings({endingSet("apple", {10, 20, 30, 40}, {"a1", "a2", "a3", "a4"})});
        CCurrentEndingDlg dialog(store, endingSet("mine", {}));
        dialog.show();
        QCOMPARE(items(templateList(&dialog)), (QStringList{u("無し"), "apple"}));
        QCOMPARE(templateList(&dialog)->currentIndex(), -1);
        pick(templateList(&dialog), 1);
        retype(wordBox(&dialog, 2), u("にゃ"));
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        EndingSet expected = endingSet("apple", {10, 20, 30, 40}, {"a1", "にゃ", "a3", "a4"});
        QCOMPARE(dialog.endingSet(), expected);
        QCOMPARE(store.GetEndingSet(1).words[1], std::string("a2"));
    }

    void theChooserSelectsTheCurrentSetAndKeepsATypedName() {
        const SettingsStore store = storeWithEndings({endingSet("apple", {})});
        CCurrentEndingDlg dialog(store, endingSet("APPLE", {1, 2, 3, 4}));
        dialog.show();
        QCOMPARE(templateList(&dialog)->currentIndex(), 1);
        retype(templateList(&dialog), u("新しい"));
        QCOMPARE(templateList(&dialog)->currentIndex(), -1);
        click(&dialog, "okButton");
        QCOMPARE(dialog.endingSet().name, sjis("新しい"));
        QCOMPARE(dialog.endingSet().frequencies, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
    }
};

QTEST_MAIN(EndingDialogsTest)
#include "ending_dialogs_test.moc"
