// The export and import dialogs on their own: what they hand back for what is ticked,
// the file name they suggest, and how they compare names with the store's.
#include "settings/dialogs/export_dlg.h"
#include "settings/dialogs/import_dlg.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/records.h"

#include <QTreeWidget>
#include <QtTest>

using namespace mireto;
using namespace mireto::test;

namespace {

SettingsStore storeWith(std::initializer_list<OverallTemplate> templates) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertEndingSet(endingSet("Neko", "Neko", 100), 1);
    store.InsertEndingSet(endingSet("犬", "犬", 100), 2);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    for (const OverallTemplate& t : templates)
        store.InsertOverallTemplate(t, store.overallTemplateCount());
    return store;
}

QTreeWidgetItem* entry(QDialog& dialog, int heading, int at) {
    return child<QTreeWidget>(&dialog, "recordList")->topLevelItem(heading)->child(at);
}

} // namespace

class ExchangeDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void theExportHandsBackStorePositionsAndASafeFileName() {
        const SettingsStore store = storeWith({overallTemplate("猫/犬:*?", "犬", "無し", "標準的"),
                                               overallTemplate("ねこ", "Neko", "無し", "標準的"),
                                               overallTemplate(".ini", "無し", "無し", "標準的")});
        CExportDlg dialog(store, sjis("ねこ"));
        // The current template, found by name, is ticked at first, with its set.
        ExportRequest request = dialog.request();
        QCOMPARE(request.templates, std::vector<std::size_t>{1});
        QCOMPARE(request.endingSets, std::vector<std::size_t>{1});
        QCOMPARE(dialog.suggestedFileName(), u("ねこ.ini"));

        entry(dialog, 0, 1)->setCheckState(0, Qt::Unchecked);
        entry(dialog, 0, 0)->setCheckState(0, Qt::Checked);
        // Characters no file name (on any system) should hold become "_".
        QCOMPARE(dialog.suggestedFileName(), u("猫_犬___.ini"));
        request = dialog.request();
        QCOMPARE(request.templates, std::vector<std::size_t>{0});
        QCOMPARE(request.endingSets, std::vector<std::size_t>{2});
        // A name that would make a hidden file.
        entry(dialog, 0, 0)->setCheckState(0, Qt::Unchecked);
        entry(dialog, 0, 2)->setCheckState(0, Qt::Checked);
        QCOMPARE(dialog.suggestedFileName(), u("Mireto.ini.ini"));
    }

    void theImportComparesNamesAsTheListsDo() {
        const SettingsStore store = storeWith({overallTemplate("ねこ", "Neko", "無し", "標準的")});
        const SharedRecords records{{overallTemplate("ネコ", "neko", "無し", "標準的")},
                                    {endingSet("neko", "neko", 100), endingSet("猫", "猫", 100)},
                                    {}};
        CImportDlg dialog(store, records);
        // "neko" is the stored "Neko" to the lists, which ignore letter case.
        QVERIFY(dialog.conflictChoice(RecordKind::EndingSet, 0));
        QVERIFY(!dialog.conflictChoice(RecordKind::EndingSet, 1));
        QVERIFY(!dialog.conflictChoice(RecordKind::OverallTemplate, 0));
        pick(dialog.conflictChoice(RecordKind::EndingSet, 0), 2);
        entry(dialog, 1, 1)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(dialog.choices(),
                 (std::vector<ImportChoice>{{RecordKind::OverallTemplate, 0, OnConflict::KeepBoth},
                                            {RecordKind::EndingSet, 0, OnConflict::Skip}}));
        // Skipped, the file's neko is no set the template finds, but the store's Neko is
        // not found by exact name either: the note says so.
        QCOMPARE(entry(dialog, 0, 0)->text(2),
                 u("語尾変換「neko」がありません（無しで変換します）"));
    }
};

QTEST_MAIN(ExchangeDialogsTest)
#include "exchange_dialogs_test.moc"
