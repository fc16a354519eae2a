// Stored texts the user leaves alone go back byte for byte through the template editors
// and choosers: bytes that do not decode, and the characters Shift_JIS codes twice (NEC
// row 13 and the IBM extensions, which Qt writes back in their other form).
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/temp_dir.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTabBar>
#include <QtTest>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

// Bytes that Shift_JIS text holds only as typed, never as the encoder writes them:
// ≒ in NEC row 13 (written 0x81E0), ∵ among the IBM extensions (written 0x81E6), 纊 in
// the NEC-selected IBM extensions (written 0xFA5C), and 0x8540, which is no character.
const std::string kNearlyEqual = "\x87\x90";
const std::string kBecause = "\xFA\x5B";
const std::string kKanji = "\xED\x40";
const std::string kNoCharacter = "\x85\x40";

EndingSet oddEnding() {
    EndingSet set;
    set.name = "E" + kNearlyEqual + kNoCharacter;
    set.words = {kBecause, kNoCharacter + "a", kKanji, "plain"};
    set.frequencies = {40, 30, 20, 10};
    return set;
}

ReplacementSet oddRules() {
    ReplacementSet set;
    set.name = "R" + kKanji + kNoCharacter;
    set.clearRules();
    set.addRule({kNearlyEqual, kNoCharacter, "", kBecause}, kKanji + "x");
    set.addRule({"plain", "", "", ""}, kNoCharacter);
    return set;
}

OverallTemplate oddTemplate() {
    return {oddEnding().name, oddRules().name, sjis("標準的"), "T" + kBecause + kNoCharacter};
}

// A store holding the odd records, which are current too.
void writeOddSettings(const std::filesystem::path& file) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertEndingSet(oddEnding(), 1);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.InsertReplacementSet(oddRules(), 1);
    store.InsertOverallTemplate(oddTemplate(), 0);
    QVERIFY(SaveSettingsAtShutdown(file, store, {}, {oddTemplate(), oddEnding(), oddRules()}).ok);
}

QComboBox* templateList(QDialog* dialog) {
    return child<QComboBox>(dialog, "templateList");
}

} // namespace

class StoredBytesTest : public QObject {
    Q_OBJECT
    std::optional<AppHarness> h;
    std::string m_file;

    // What the file holds once the view has written what it holds now.
    std::string written() {
        h->view().SaveSettingsAfterChange();
        return readFile(h->settingsFile());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        h.emplace();
        writeOddSettings(h->settingsFile());
        m_file = readFile(h->settingsFile());
        QVERIFY(h->start());
        h->messages.clear();
    }
    void cleanup() { h.reset(); }

    void theChoosersHandBackWhatTheyWereGivenUntouched() {
        driveDialog([&] { h->view().OnCurrentEnding(); },
                    [](QDialog* dialog) { click(dialog, "okButton"); });
        driveDialog([&] { h->view().OnCurrentReplacement(); },
                    [](QDialog* dialog) { click(dialog, "okButton"); });
        driveDialog([&] { h->view().OnCurrentTemplate(); },
                    [](QDialog* dialog) { click(dialog, "okButton"); });
        QVERIFY(h->messages.empty());
        QCOMPARE(h->view().currentEndingSet(), oddEnding());
        QCOMPARE(h->view().currentReplacementSet(), oddRules());
        QCOMPARE(h->view().currentTemplate(), oddTemplate());
        QVERIFY(written() == m_file);
    }

    void pickedFromTheListsTheStoredBytesComeBack() {
        driveDialog([&] { h->view().OnCurrentEnding(); },
                    [](QDialog* dialog) {
                        pick(templateList(dialog), 0);
                        pick(templateList(dialog), 1);
                        click(dialog, "okButton");
                    });
        driveDialog([&] { h->view().OnCurrentTemplate(); },
                    [](QDialog* dialog) {
                        pick(templateList(dialog), 0);
                        click(dialog, "okButton");
                    });
        QVERIFY(h->messages.empty());
        QCOMPARE(h->view().currentEndingSet(), oddEnding());
        QCOMPARE(h->view().currentTemplate(), oddTemplate());
    }

    void aChangedFieldIsStoredAsTypedAndTheOthersAsTheyWere() {
        driveDialog([&] { h->view().OnCurrentEnding(); },
                    [](QDialog* dialog) {
                        retype(child<QLineEdit>(dialog, "word4"), u("だぴょん"));
                        click(dialog, "okButton");
                    });
        EndingSet changed = oddEnding();
        changed.words[3] = sjis("だぴょん");
        QCOMPARE(h->view().currentEndingSet(), changed);

        driveDialog([&] { h->view().OnCurrentReplacement(); },
                    [](QDialog* dialog) {
                        // The second rule's target, then back to the first rule untouched.
                        QTabBar* tabs = child<QTabBar>(dialog, "ruleTabs");
                        tabs->setCurrentIndex(1);
                        retype(child<QLineEdit>(dialog, "target"), u("にゃ"));
                        tabs->setCurrentIndex(0);
                        click(dialog, "okButton");
                    });
        ReplacementSet rules = oddRules();
        rules.targets[1] = sjis("にゃ");
        QCOMPARE(h->view().currentReplacementSet(), rules);
    }

    void theEditorsSaveALoadedSetUnderItsOwnBytes() {
        for (const auto command :
             {&CMiretoView::OnSaveEndingTemplate, &CMiretoView::OnSaveReplacementTemplate,
              &CMiretoView::OnSaveOverallTemplate}) {
            h->answers = {MessageAnswer::Yes};
            driveDialog([&] { (h->view().*command)(); },
                        [](QDialog* dialog) {
                            pick(templateList(dialog), 0);
                            click(dialog, "saveButton");
                            click(dialog, "okButton");
                        });
        }
        QCOMPARE(h->messages.size(), std::size_t{6}); // a question and its answer each
        QCOMPARE(h->view().store().GetEndingSet(1), oddEnding());
        QCOMPARE(h->view().store().GetReplacementSet(1), oddRules());
        QCOMPARE(h->view().store().GetOverallTemplate(0), oddTemplate());
        QVERIFY(written() == m_file);
    }
};

QTEST_MAIN(StoredBytesTest)
#include "stored_bytes_test.moc"
