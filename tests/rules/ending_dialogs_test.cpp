// The ending-set editor and chooser: saving, overwriting and deleting templates by name,
// and choosing the current set.
#include "convert/converter_factory.h"
#include "convert/sjis_codec.h"
#include "rules/current_ending_dlg.h"
#include "rules/ending_template_dlg.h"
#include "tests/rules/ending_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

QStringList storedNames(const SettingsStore& store) {
    QStringList names;
    for (std::size_t at = 0; at < store.endingSetCount(); ++at)
        names.append(QString::fromStdString(utf8(store.GetEndingSet(at).name)));
    return names;
}

QComboBox* templateList(QWidget* dialog) {
    return child<QComboBox>(dialog, "templateList");
}

using Freqs = std::array<std::int32_t, 4>;

// The editor on `mine` over a store holding `sets`, shown, with its message boxes scripted.
struct Editor {
    SettingsStore store;
    CEndingTemplateDlg dialog;
    MessageScript messages;

    Editor(const std::vector<EndingSet>& sets, const EndingSet& mine)
        : store(storeWithEndings(sets)), dialog(store, mine) {
        dialog.show();
    }
    QComboBox* list() { return templateList(&dialog); }
    QPushButton* deleteButton() { return child<QPushButton>(&dialog, "deleteButton"); }
    // Clicks `button`, answering its questions with `answers`.
    void press(const char* button, const QList<MessageAnswer>& answers = {}) {
        messages.answers = answers;
        click(&dialog, button);
    }
};

} // namespace

class EndingDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void theEditorListsTheStoredSetsAndAnEmptyNameOnlyAsksForOne() {
        Editor e({endingSet("apple", {}), endingSet("berry", {})},
                 endingSet("mine", {10, 20, 30, 40}));
        QCOMPARE(child<QPushButton>(&e.dialog, "saveButton")->text(), u("保存"));
        QCOMPARE(e.deleteButton()->text(), u("削除"));
        QVERIFY(!child<QPushButton>(&e.dialog, "cancelButton"));
        e.press("saveButton");
        QCOMPARE(e.messages.texts(), QStringList{u("テンプレート名を入力して下さい。")});
        QCOMPARE(e.messages.shown[0].caption, u("テンプレート保存"));
        QCOMPARE(e.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "apple", "berry"}));
        QCOMPARE(items(e.list()), (QStringList{"apple", "berry"}));
        QVERIFY(!e.deleteButton()->isEnabled());
    }

    void savingUnderANewNameInsertsAtItsSortedPlace() {
        Editor e({endingSet("apple", {}), endingSet("cherry", {})},
                 endingSet("mine", {10, 20, 30, 40}, {"a", "b", "", ""}));
        retype(e.list(), u("Berry"));
        retype(wordBox(&e.dialog, 3), u("です"));
        child<QCheckBox>(&e.dialog, "changeLineBreaks")->click();
        e.press("saveButton");

        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "apple", "Berry", "cherry"}));
        EndingSet saved = endingSet("Berry", {10, 20, 30, 40}, {"a", "b", "です", ""});
        saved.changeLineBreaks = 1;
        QCOMPARE(e.store.GetEndingSet(2), saved);
        QCOMPARE(items(e.list()), (QStringList{"apple", "Berry", "cherry"}));
        QCOMPARE(e.list()->currentIndex(), 1);
        QVERIFY(e.deleteButton()->isEnabled());
        QCOMPARE(e.messages.texts(), QStringList{u("テンプレート「Berry」を保存しました")});
        QCOMPARE(e.messages.shown[0].caption, u("テンプレート保存完了"));
        QCOMPARE(e.messages.shown[0].icon, MessageIcon::Information);
    }

    void savingOverAListedNameAsksAndYesOverwritesThatSet() {
        Editor e({endingSet("apple", {1, 1, 1, 1}), endingSet("berry", {2, 2, 2, 2})},
                 endingSet("mine", {}));
        pick(e.list(), 0);
        retype(percentBox(&e.dialog, 1), "50");
        retype(e.list(), "berry");
        e.press("saveButton", {MessageAnswer::Yes});

        QCOMPARE(e.messages.texts(),
                 (QStringList{u("テンプレート「berry」はすでに存在します。上書きしますか？"),
                              u("上書き保存しました")}));
        QCOMPARE(e.messages.shown[0].caption, u("テンプレート保存"));
        QCOMPARE(e.messages.shown[0].icon, MessageIcon::Question);
        QCOMPARE(e.messages.shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(e.messages.shown[1].caption, u("テンプレート保存完了"));
        QCOMPARE(e.messages.shown[1].icon, MessageIcon::None);
        QCOMPARE(e.store.GetEndingSet(1).frequencies, (Freqs{1, 1, 1, 1}));
        QCOMPARE(e.store.GetEndingSet(2), endingSet("berry", {50, 1, 1, 1}));
    }

    void typingAListedNameAndLeavingTheFieldKeepsWhatIsOnScreen() {
        Editor e({endingSet("apple", {1, 1, 1, 1}), endingSet("berry", {2, 2, 2, 2})},
                 endingSet("mine", {}));
        retype(percentBox(&e.dialog, 1), "50");
        retype(e.list(), "berry");
        // The field loses the focus (or takes Enter) on the way to the save button.
        emit e.list()->lineEdit()->editingFinished();
        emit e.list()->lineEdit()->returnPressed();
        QCOMPARE(percentBox(&e.dialog, 1)->text(), QString("50"));
        e.press("saveButton", {MessageAnswer::Yes});
        QCOMPARE(e.store.GetEndingSet(2).frequencies, (Freqs{50, 0, 0, 0}));
    }

    void answeringNoStoresNothingButSelectsTheName() {
        Editor e({endingSet("apple", {}), endingSet("berry", {})}, endingSet("mine", {5, 5, 5, 5}));
        retype(e.list(), "apple");
        retype(e.list(), "appl");
        QVERIFY(!e.deleteButton()->isEnabled());
        retype(e.list(), "apple");
        e.press("saveButton", {MessageAnswer::No});
        QCOMPARE(e.messages.shown.size(), 1);
        QCOMPARE(e.store.GetEndingSet(1), endingSet("apple", {}));
        QCOMPARE(e.list()->currentIndex(), 0);
        QVERIFY(e.deleteButton()->isEnabled());
    }

    void aNameDifferingInLetterCaseOverwritesUnderTheTypedName() {
        Editor e({endingSet("Apple", {1, 0, 0, 0})}, endingSet("mine", {9, 0, 0, 0}));
        retype(e.list(), "APPLE");
        QVERIFY(e.deleteButton()->isEnabled());
        e.press("saveButton", {MessageAnswer::Yes});
        QCOMPARE(e.messages.shown[0].text,
                 u("テンプレート「Apple」はすでに存在します。上書きしますか？"));
        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "APPLE"}));
        QCOMPARE(e.store.GetEndingSet(1).frequencies[0], 9);
        QCOMPARE(items(e.list()), QStringList{"Apple"});
    }

    void savingUnderTheNoneNameMakesAnOrdinarySet() {
        Editor e({}, endingSet("mine", {1, 2, 3, 4}));
        retype(e.list(), u("無し"));
        e.press("saveButton");
        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), u("無し")}));
        QCOMPARE(e.store.GetEndingSet(0), noneEndingSet());
        QCOMPARE(e.store.GetEndingSet(1).frequencies, (Freqs{1, 2, 3, 4}));
    }

    void loadingASetShowsItAndSavingKeepsItsFlag() {
        EndingSet flagged = endingSet("flagged", {10, 10, 10, 10}, {"w", "", "", ""});
        flagged.changeLineBreaks = 1;
        Editor e({flagged}, endingSet("mine", {}));
        pick(e.list(), 0);
        QVERIFY(child<QCheckBox>(&e.dialog, "changeLineBreaks")->isChecked());
        QCOMPARE(wordBox(&e.dialog, 1)->text(), QStringLiteral("w"));
        QVERIFY(e.deleteButton()->isEnabled());
        e.press("saveButton", {MessageAnswer::Yes});
        QCOMPARE(e.store.GetEndingSet(1), flagged);
    }

    void deletingAsksAndYesRemovesTheSetButKeepsItOnScreen() {
        Editor e({endingSet("apple", {}), endingSet("berry", {20, 20, 20, 20}, {"x", "", "", ""})},
                 endingSet("mine", {}));
        pick(e.list(), 1);
        e.press("deleteButton", {MessageAnswer::No});
        QCOMPARE(e.store.endingSetCount(), 3u);
        QVERIFY(!e.deleteButton()->isEnabled());
        pick(e.list(), 1);
        e.press("deleteButton", {MessageAnswer::Yes});
        QCOMPARE(e.messages.texts(), (QStringList{u("テンプレート「berry」を削除しますか？"),
                                                  u("テンプレート「berry」を削除しますか？"),
                                                  u("テンプレート「berry」を削除しました。")}));
        QCOMPARE(e.messages.shown[0].caption, u("テンプレート削除"));
        QCOMPARE(e.messages.shown[0].icon, MessageIcon::Question);
        QCOMPARE(e.messages.shown[2].caption, u("テンプレート削除完了"));
        QCOMPARE(e.messages.shown[2].icon, MessageIcon::None);
        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "apple"}));
        QCOMPARE(items(e.list()), QStringList{"apple"});
        QCOMPARE(e.list()->currentText(), QString());
        QCOMPARE(e.list()->currentIndex(), -1);
        QVERIFY(!e.deleteButton()->isEnabled());
        QCOMPARE(percentTexts(&e.dialog), (QStringList{"20", "20", "20", "20"}));
        QCOMPARE(wordBox(&e.dialog, 1)->text(), QStringLiteral("x"));
    }

    void saveAndDeleteReachTheNamedSetWhenTheStoreIsOutOfOrder() {
        // A hand-edited settings file may hold the sets in any order.
        Editor e({endingSet("pear", {}), endingSet("fig", {})}, endingSet("mine", {7, 0, 0, 0}));
        QCOMPARE(items(e.list()), (QStringList{"pear", "fig"}));
        retype(e.list(), "kiwi");
        e.press("saveButton");
        QCOMPARE(items(e.list()), (QStringList{"kiwi", "pear", "fig"}));
        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "kiwi", "pear", "fig"}));

        retype(e.list(), "fig");
        e.press("saveButton", {MessageAnswer::Yes, MessageAnswer::Yes});
        QCOMPARE(e.store.GetEndingSet(3), endingSet("fig", {7, 0, 0, 0}));

        retype(e.list(), "pear");
        e.press("deleteButton", {MessageAnswer::Yes});
        QCOMPARE(storedNames(e.store), (QStringList{u("無し"), "kiwi", "fig"}));
        QCOMPARE(items(e.list()), (QStringList{"kiwi", "fig"}));
        QVERIFY(!e.messages.unexpectedQuestion);
    }

    void aNameShiftJisCannotHoldIsRefused() {
        Editor e({}, endingSet("mine", {}));
        retype(e.list(), u("寿司🍣"));
        e.press("saveButton");
        QCOMPARE(e.messages.texts(),
                 QStringList{u("「寿司🍣」にはShift_JISで表せない文字「🍣」(U+1F363)が含まれて"
                               "います。Shift_JISで表せる文字に直して下さい。")});
        QCOMPARE(e.messages.shown[0].icon, MessageIcon::Warning);

        retype(e.list(), u("寿司"));
        retype(wordBox(&e.dialog, 2), u("🍣"));
        e.press("saveButton");
        QCOMPARE(e.messages.shown.size(), 2);
        QCOMPARE(e.store.endingSetCount(), 1u);
        QCOMPARE(e.list()->count(), 0);
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
        QCOMPARE(dialog.endingSet(),
                 endingSet("apple", {10, 20, 30, 40}, {"a1", "にゃ", "a3", "a4"}));
        QCOMPARE(store.GetEndingSet(1).words[1], std::string("a2"));
    }

    void aTypedWaveDashIsTakenAndThePageShowsItsFullWidthTilde() {
        // Input methods on Linux type U+301C 〜; Shift_JIS holds it as ～.
        const SettingsStore store = storeWithEndings({});
        CCurrentEndingDlg dialog(store, endingSet("mine", {100, 0, 0, 0}));
        dialog.show();
        MessageScript messages;
        retype(wordBox(&dialog, 1), u("だよ〜"));
        click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(messages.shown.isEmpty());
        const EndingSet chosen = dialog.endingSet();
        QCOMPARE(chosen.words[0], sjis("だよ～"));

        const ReplacementSet noReplacements = noneReplacementSet();
        const std::string text = sjis("猫です。");
        const auto converter = createConverter(OutputFormat::Standard, {});
        converter->setInputs(chosen, noReplacements, text);
        converter->setClock([] { return std::time_t{1031227620}; });
        const std::string page = sjisToUtf8(converter->buildPage());
        QVERIFY2(page.find("猫ですだよ～") != std::string::npos, page.c_str());
    }

    void theChooserSelectsTheCurrentSetAndKeepsATypedName() {
        const SettingsStore store = storeWithEndings({endingSet("apple", {})});
        CCurrentEndingDlg dialog(store, endingSet("APPLE", {1, 2, 3, 4}));
        dialog.show();
        QCOMPARE(templateList(&dialog)->currentIndex(), 1);
        retype(templateList(&dialog), u("新しい"));
        QCOMPARE(templateList(&dialog)->currentIndex(), -1);
        click(&dialog, "okButton");
        QCOMPARE(dialog.endingSet(), endingSet("新しい", {1, 2, 3, 4}));
    }
};

QTEST_MAIN(EndingDialogsTest)
#include "ending_dialogs_test.moc"
