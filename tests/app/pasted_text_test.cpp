// Text pasted with line breaks into every field whose text reaches Mireto.ini: the name
// fields and lists of the template editors and choosers, the ending words, the rule
// sources and targets, and the page settings. What is stored holds no line break, and
// the file read again gives back exactly what was stored, entry for entry.
#include "app/mireto_view.h"
#include "tests/app/app_harness.h"
#include "tests/app/settings_files.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>
#include <functional>
#include <optional>

using namespace mireto;
using namespace mireto::test;

namespace {

const CurrentSelection kRabbit = rabbitSelection();

// The set or template of the view's store named `name`.
template <typename Record, typename Get>
std::optional<Record> named(std::size_t count, Get get, const std::string& name) {
    for (std::size_t position = 0; position < count; ++position) {
        if (get(position).name == name)
            return get(position);
    }
    return std::nullopt;
}

std::optional<EndingSet> endingNamed(const SettingsStore& store, const std::string& name) {
    return named<EndingSet>(
        store.endingSetCount(), [&](std::size_t p) { return store.GetEndingSet(p); }, name);
}
std::optional<ReplacementSet> rulesNamed(const SettingsStore& store, const std::string& name) {
    return named<ReplacementSet>(
        store.replacementSetCount(), [&](std::size_t p) { return store.GetReplacementSet(p); },
        name);
}
std::optional<OverallTemplate> templateNamed(const SettingsStore& store, const std::string& name) {
    return named<OverallTemplate>(
        store.overallTemplateCount(), [&](std::size_t p) { return store.GetOverallTemplate(p); },
        name);
}

// One field of one dialog: how to open the dialog, the field, how the dialog ends, and
// where the field's text lands once it has.
struct Field {
    const char* dialog;
    const char* name;
    std::function<void(CMiretoView&)> open;
    bool editor; // saved under a name with 保存, then OK; otherwise just OK
    std::function<std::string(const CMiretoView&)> stored;
    // What the dialog makes of the cleaned text; as it is unless given.
    std::function<std::string(const std::string&)> kept = {};
};

// A colour is stored only as seven bytes; anything else is black.
std::string asColour(const std::string& text) {
    return text.size() == 7 ? text : "#000000";
}

const std::string kSaved = "saved";

std::vector<Field> everyField() {
    using V = const CMiretoView&;
    auto overall = [](V v) { return *templateNamed(v.store(), kSaved); };
    auto ending = [](V v) { return *endingNamed(v.store(), kSaved); };
    auto rules = [](V v) { return *rulesNamed(v.store(), kSaved); };
    std::vector<Field> fields = {
        {"template editor", "templateList", &CMiretoView::OnSaveOverallTemplate, true, {}},
        {"template editor", "replacementList", &CMiretoView::OnSaveOverallTemplate, true,
         [=](V v) { return overall(v).replacementSetName; }},
        {"template editor", "endingList", &CMiretoView::OnSaveOverallTemplate, true,
         [=](V v) { return overall(v).endingSetName; }},
        {"template editor", "formatList", &CMiretoView::OnSaveOverallTemplate, true,
         [=](V v) { return overall(v).formatName; }},
        {"template chooser", "templateList", &CMiretoView::OnCurrentTemplate, false,
         [](V v) { return v.currentTemplate().name; }},
        {"template chooser", "replacementList", &CMiretoView::OnCurrentTemplate, false,
         [](V v) { return v.currentTemplate().replacementSetName; }},
        {"template chooser", "endingList", &CMiretoView::OnCurrentTemplate, false,
         [](V v) { return v.currentTemplate().endingSetName; }},
        {"template chooser", "formatList", &CMiretoView::OnCurrentTemplate, false,
         [](V v) { return v.currentTemplate().formatName; }},
        {"ending editor", "templateList", &CMiretoView::OnSaveEndingTemplate, true, {}},
        {"ending chooser", "templateList", &CMiretoView::OnCurrentEnding, false,
         [](V v) { return v.currentEndingSet().name; }},
        {"replacement editor", "templateList", &CMiretoView::OnSaveReplacementTemplate, true, {}},
        {"replacement chooser", "templateList", &CMiretoView::OnCurrentReplacement, false,
         [](V v) { return v.currentReplacementSet().name; }},
        {"idol news", "title", &CMiretoView::OnIdolNewsSettings, false,
         [](V v) { return v.formatSettings().idolNews.title; }},
        {"idol news", "name", &CMiretoView::OnIdolNewsSettings, false,
         [](V v) { return v.formatSettings().idolNews.name; }},
        {"idol news", "supportTarget", &CMiretoView::OnIdolNewsSettings, false,
         [](V v) { return v.formatSettings().idolNews.supportTarget; }},
        {"thread", "title", &CMiretoView::OnHtmlSettings, false,
         [](V v) { return v.formatSettings().thread.title; }},
        {"thread", "name", &CMiretoView::OnHtmlSettings, false,
         [](V v) { return v.formatSettings().thread.name; }},
        {"standard colours", "textColour", &CMiretoView::OnStandardColours, false,
         [](V v) { return v.formatSettings().standardColours.textColour; }, asColour},
        {"standard colours", "backgroundColour", &CMiretoView::OnStandardColours, false,
         [](V v) { return v.formatSettings().standardColours.backgroundColour; }, asColour},
    };
    static const char* kWords[] = {"word1", "word2", "word3", "word4"};
    for (std::size_t row = 0; row < 4; ++row) {
        fields.push_back({"ending editor", kWords[row], &CMiretoView::OnSaveEndingTemplate, true,
                          [=](V v) { return ending(v).words[row]; }});
        fields.push_back({"ending chooser", kWords[row], &CMiretoView::OnCurrentEnding, false,
                          [row](V v) { return v.currentEndingSet().words[row]; }});
    }
    static const char* kSources[] = {"source1", "source2", "source3", "source4"};
    for (std::size_t slot = 0; slot < 4; ++slot) {
        fields.push_back({"replacement editor", kSources[slot],
                          &CMiretoView::OnSaveReplacementTemplate, true,
                          [=](V v) { return rules(v).sources[0][slot]; }});
        fields.push_back({"replacement chooser", kSources[slot], &CMiretoView::OnCurrentReplacement,
                          false,
                          [slot](V v) { return v.currentReplacementSet().sources[0][slot]; }});
    }
    fields.push_back({"replacement editor", "target", &CMiretoView::OnSaveReplacementTemplate, true,
                      [=](V v) { return rules(v).targets[0]; }});
    fields.push_back({"replacement chooser", "target", &CMiretoView::OnCurrentReplacement, false,
                      [](V v) { return v.currentReplacementSet().targets[0]; }});
    return fields;
}

} // namespace

class PastedTextTest : public QObject {
    Q_OBJECT

    // Pastes `text` into `field`, ends its dialog, and checks what was stored and what
    // the file gives back.
    void pasteInto(const Field& field, const QString& text, const std::string& expected) {
        const QString where = QStringLiteral("%1: %2").arg(u(field.dialog), u(field.name));
        AppHarness h;
        writeSettings(h.settingsFile(), kRabbit);
        QVERIFY(h.start());
        driveDialog([&] { field.open(h.view()); },
                    [&](QDialog* dialog) {
                        auto* combo =
                            dialog->findChild<QComboBox*>(QString::fromLatin1(field.name));
                        auto* edit = combo ? combo->lineEdit()
                                           : dialog->findChild<QLineEdit*>(u(field.name));
                        QVERIFY2(edit, qPrintable(where));
                        // The support line's texts take input only while it is on.
                        if (!edit->isEnabled())
                            child<QCheckBox>(dialog, "supportOn")->click();
                        paste(edit, text);
                        const bool pastedName = std::string_view(field.name) == "templateList";
                        if (field.editor) {
                            if (!pastedName)
                                retype(child<QComboBox>(dialog, "templateList"), u("saved"));
                            click(dialog, "saveButton");
                        }
                        click(dialog, "okButton");
                    });
        const bool nameField = !field.stored;
        if (!nameField) {
            const std::string stored = field.stored(h.view());
            const std::string wanted = field.kept ? field.kept(expected) : expected;
            QVERIFY2(stored == wanted, qPrintable(where + u(" gave ") + u(stored.c_str())));
        } else {
            const SettingsStore& store = h.view().store();
            QVERIFY2(templateNamed(store, expected) || endingNamed(store, expected) ||
                         rulesNamed(store, expected),
                     qPrintable(where));
        }
        // The file as written: every entry on its own line, read back exactly.
        QVERIFY(h.close());
        const std::string file = readFile(h.settingsFile());
        SettingsStore store;
        FormatSettings settings;
        CurrentSelection current;
        QCOMPARE(LoadSettingsAtStartup(h.settingsFile(), store, settings, current),
                 StartupOutcome::Loaded);
        QVERIFY2(SettingsFileBytes(store, settings, current) == file, qPrintable(where));
        QCOMPARE(store.endingSetCount(), h.view().store().endingSetCount());
        QCOMPARE(store.replacementSetCount(), h.view().store().replacementSetCount());
        QCOMPARE(store.overallTemplateCount(), h.view().store().overallTemplateCount());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void lineBreaksBecomeSpacesInEveryField() {
        for (const Field& field : everyField()) {
            pasteInto(field, u("a\nb"), "a b");
            pasteInto(field, u("x\r\n----"), "x ----");
        }
    }

    void breaksAtEitherEndGoAndOtherControlsAreDropped() {
        const Field word = everyField().back();
        pasteInto(word, u("\r\nword\u2028\u2029end\n"), "word end");
        pasteInto(word, u("a\tb\x01\x7F\u0085c"), "a b c");
        // Seven characters with the line end, which used to be stored as a colour.
        const Field colour = everyField()[17];
        QCOMPARE(colour.name, "textColour");
        pasteInto(colour, u("#12345\n"), "#12345");
        pasteInto(colour, u("#123\n45"), "#123 45");
    }
};

QTEST_MAIN(PastedTextTest)
#include "pasted_text_test.moc"
