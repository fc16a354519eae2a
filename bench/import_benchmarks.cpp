// Importing a file of 100,000 sets of each kind and as many templates, as the editor
// does it: from the file's choice to the import dialog on screen (reading and checking
// the file, comparing every name with the store's, listing them), and after OK (the
// choices, the notes on missing sets, the records stored, Mireto.ini's bytes written,
// the panel's lists filled again). Into an empty store, and into one that holds every
// name already, where each row gets a choice.
#include "convert/sjis_literal.h"
#include "settings/dialogs/import_dlg.h"
#include "settings/settings_file.h"
#include "settings/template_exchange.h"
#include "widgets/sjis_qstring.h"
#include "widgets/template_list.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace mireto::bench {
namespace {

// "セット" and a number, in no order, so that new names land all over the lists.
std::vector<std::string> names(std::size_t count) {
    std::vector<std::string> list;
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(std::string("セット"_sjis) + std::to_string(i * 7919 % 1000003));
    std::shuffle(list.begin(), list.end(), std::mt19937(20261207));
    return list;
}

SharedRecords records(std::size_t count) {
    SharedRecords records;
    for (const std::string& name : names(count)) {
        EndingSet ending;
        ending.name = name;
        ending.words = {std::string("ナリ"_sjis), std::string("よ"_sjis), std::string("ね"_sjis),
                        ""};
        ending.frequencies = {30, 30, 20, 0};
        records.endingSets.push_back(ending);
        ReplacementSet replacement;
        replacement.name = name;
        replacement.clearRules();
        replacement.addRule({std::string("猫"_sjis), "", "", ""}, std::string("犬"_sjis));
        records.replacementSets.push_back(replacement);
        records.templates.push_back({name, name, std::string(kFormatNames[4]), name});
    }
    return records;
}

// The editor's store: the none sets, and every record of `shared` when `holding`.
SettingsStore store(const SharedRecords& shared, bool holding) {
    SettingsStore store;
    store.InsertEndingSet(noneEndingSet(), 0);
    store.InsertReplacementSet(noneReplacementSet(), 0);
    store.BuildFormatNames();
    if (holding) {
        std::vector<ImportChoice> all;
        for (RecordKind kind :
             {RecordKind::OverallTemplate, RecordKind::EndingSet, RecordKind::ReplacementSet}) {
            for (std::size_t i = 0; i < shared.count(kind); ++i)
                all.push_back({kind, i, OnConflict::KeepBoth});
        }
        ImportRecords(store, shared, all);
    }
    return store;
}

struct Fixture {
    explicit Fixture(std::size_t count, bool holding)
        : shared(records(count)), editorStore(store(shared, holding)) {
        path = folder.filePath(QStringLiteral("shared.ini")).toStdString();
        writeFileAtomically(path, SharedFileBytes(shared, {}), FlushToDisk::No);
    }
    QTemporaryDir folder;
    std::filesystem::path path;
    SharedRecords shared;
    SettingsStore editorStore;
};

void BM_ImportToDialog(benchmark::State& state) {
    const Fixture fixture(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        const SharedFile file = ReadSharedFile(fixture.path);
        CImportDlg dialog(fixture.editorStore, file.records);
        dialog.show();
        QApplication::processEvents();
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}

void BM_ImportAfterOk(benchmark::State& state) {
    const Fixture fixture(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    const SharedFile file = ReadSharedFile(fixture.path);
    CImportDlg dialog(fixture.editorStore, file.records);
    const std::filesystem::path settingsFile =
        fixture.folder.filePath(QStringLiteral("Mireto.ini")).toStdString();
    for (auto _ : state) {
        state.PauseTiming();
        SettingsStore editorStore = fixture.editorStore;
        QComboBox panel[3];
        state.ResumeTiming();

        const std::vector<ImportChoice> choices = dialog.choices();
        // As the view does it: on a copy that then takes the store's place.
        SettingsStore working = editorStore;
        std::vector<std::vector<RecordKind>> missingSets;
        benchmark::DoNotOptimize(
            ImportRecords(working, file.records, choices, listNameRules(), missingSets).data());
        editorStore = std::move(working);
        const std::string bytes = SettingsFileBytes(editorStore, {}, {});
        writeFileAtomically(settingsFile, bytes, FlushToDisk::No);
        // The panel's lists, as the view fills them.
        QStringList lists[3];
        for (std::size_t p = 0; p < editorStore.overallTemplateCount(); ++p)
            lists[0].append(fromSjis(editorStore.GetOverallTemplate(p).name));
        for (std::size_t p = 0; p < editorStore.endingSetCount(); ++p)
            lists[1].append(fromSjis(editorStore.GetEndingSet(p).name));
        for (std::size_t p = 0; p < editorStore.replacementSetCount(); ++p)
            lists[2].append(fromSjis(editorStore.GetReplacementSet(p).name));
        for (int list = 0; list < 3; ++list)
            panel[list].addItems(lists[list]);

        state.PauseTiming();
        for (QComboBox& combo : panel)
            combo.clear();
        state.ResumeTiming();
    }
}

void importArgs(benchmark::internal::Benchmark* b) {
    b->Args({100000, 0})->Args({100000, 1})->ArgNames({"sets", "taken"});
    b->Unit(benchmark::kMillisecond)->Iterations(3);
}
BENCHMARK(BM_ImportToDialog)->Apply(importArgs);
BENCHMARK(BM_ImportAfterOk)->Apply(importArgs);

} // namespace
} // namespace mireto::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
