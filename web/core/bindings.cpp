// The core's functions for JavaScript (embind). One module instance holds one session;
// mireto.mjs wraps these into the API that mireto.d.ts describes, turning the error
// results into exceptions: the core is built without them.
//
// Strings arrive as UTF-8 (embind's std::string from a JavaScript string) or as raw
// bytes (from a Uint8Array), and go back as UTF-8. Byte results are handed over as a
// view of memory the module keeps until the next call, which the wrapper copies at once.
#include "convert/byte_order_mark.h"
#include "convert/conversion_session.h"
#include "convert/line_ends.h"
#include "convert/page_charset.h"
#include "convert/sjis_codec.h"
#include "settings/settings_file.h"
#include "settings/template_exchange.h"
#include "web/core/list_names.h"

#include <cstdint>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <optional>
#include <string>
#include <utility>

using emscripten::val;

namespace mireto::web {

namespace {

using Position = ConversionSession::Position;

ConversionSession& session() {
    static ConversionSession instance(listNameRules());
    return instance;
}

// The bytes of the last byte result, alive until the next one.
std::string& heldBytes() {
    static std::string bytes;
    return bytes;
}

val bytesView(std::string bytes) {
    heldBytes() = std::move(bytes);
    return val(emscripten::typed_memory_view(
        heldBytes().size(), reinterpret_cast<const unsigned char*>(heldBytes().data())));
}

val errorResult(const std::string& message) {
    val result = val::object();
    result.set("error", message);
    return result;
}

std::string utf8(std::string_view sjis) {
    return sjisToUtf8(sjis);
}

RecordKind kindOf(int kind) {
    switch (kind) {
    case 1:
        return RecordKind::EndingSet;
    case 2:
        return RecordKind::ReplacementSet;
    default:
        return RecordKind::OverallTemplate;
    }
}

std::size_t countOf(RecordKind kind) {
    const SettingsStore& store = session().store();
    switch (kind) {
    case RecordKind::EndingSet:
        return store.endingSetCount();
    case RecordKind::ReplacementSet:
        return store.replacementSetCount();
    case RecordKind::OverallTemplate:
        break;
    }
    return store.overallTemplateCount();
}

// Texts from JavaScript into Shift_JIS, refusing what Shift_JIS cannot hold: the first
// refusal is kept, and the caller hands it back instead of using the record.
class Encoder {
public:
    std::string text(const val& value) {
        const std::string given = value.as<std::string>();
        const SjisEncoding encoded = utf8ToSjis(given, Unmappable::Fail);
        if (encoded)
            return encoded.bytes;
        if (m_error.empty()) {
            // 「%s」にはShift_JISで表せない文字（U+301C）が含まれています。
            m_error = "「" + given + "」にはShift_JISで表せない文字";
            if (encoded.status == SjisEncoding::Status::Unmappable)
                m_error += "（" + codePointName(encoded.character) + "）";
            m_error += "が含まれています。";
        }
        return {};
    }
    static std::int32_t number(const val& value) { return value.as<std::int32_t>(); }

    const std::string& error() const { return m_error; }

private:
    std::string m_error;
};

val stringArray(const auto& strings) {
    val array = val::array();
    for (const std::string& text : strings)
        array.call<void>("push", utf8(text));
    return array;
}

template <std::size_t N> val numberArray(const std::array<std::int32_t, N>& numbers) {
    val array = val::array();
    for (const std::int32_t number : numbers)
        array.call<void>("push", number);
    return array;
}

// ---- Records and plain objects -----------------------------------------------------

val toJs(const EndingSet& set) {
    val object = val::object();
    object.set("name", utf8(set.name));
    object.set("words", stringArray(set.words));
    object.set("frequencies", numberArray(set.frequencies));
    object.set("changeLineBreaks", set.changeLineBreaks);
    return object;
}

val toJs(const ReplacementSet& set) {
    val rules = val::array();
    for (std::size_t rule = 0; rule < set.ruleCount(); ++rule) {
        val object = val::object();
        object.set("sources", stringArray(set.sources[rule]));
        object.set("target", utf8(set.targets[rule]));
        rules.call<void>("push", object);
    }
    val object = val::object();
    object.set("name", utf8(set.name));
    object.set("rules", rules);
    return object;
}

val toJs(const OverallTemplate& overall) {
    val object = val::object();
    object.set("name", utf8(overall.name));
    object.set("endingSetName", utf8(overall.endingSetName));
    object.set("replacementSetName", utf8(overall.replacementSetName));
    object.set("formatName", utf8(overall.formatName));
    return object;
}

val toJs(const FormatSettings& settings) {
    val idolNews = val::object();
    idolNews.set("supportTarget", utf8(settings.idolNews.supportTarget));
    idolNews.set("name", utf8(settings.idolNews.name));
    idolNews.set("supportOn", settings.idolNews.supportOn);
    idolNews.set("title", utf8(settings.idolNews.title));
    val thread = val::object();
    thread.set("title", utf8(settings.thread.title));
    thread.set("name", utf8(settings.thread.name));
    thread.set("mode", settings.thread.mode);
    val colours = val::object();
    colours.set("textColour", utf8(settings.standardColours.textColour));
    colours.set("backgroundColour", utf8(settings.standardColours.backgroundColour));
    val fontPlay = val::object();
    fontPlay.set("deleteCommas", settings.deleteCommas);
    fontPlay.set("lineBreakDegree", settings.lineBreakDegree);
    val object = val::object();
    object.set("idolNews", idolNews);
    object.set("thread", thread);
    object.set("standardColours", colours);
    object.set("fontPlay", fontPlay);
    return object;
}

// The wrapper hands in objects of the declared shape, with every field there.
EndingSet endingSetFrom(const val& object, Encoder& encoder) {
    EndingSet set;
    set.name = encoder.text(object["name"]);
    for (std::size_t slot = 0; slot < set.words.size(); ++slot) {
        set.words[slot] = encoder.text(object["words"][slot]);
        set.frequencies[slot] = Encoder::number(object["frequencies"][slot]);
    }
    set.changeLineBreaks = Encoder::number(object["changeLineBreaks"]);
    return set;
}

ReplacementSet replacementSetFrom(const val& object, Encoder& encoder) {
    ReplacementSet set;
    set.name = encoder.text(object["name"]);
    set.clearRules();
    const val rules = object["rules"];
    const unsigned count = rules["length"].as<unsigned>();
    for (unsigned rule = 0; rule < count; ++rule) {
        ReplacementSet::Sources sources;
        for (std::size_t slot = 0; slot < sources.size(); ++slot)
            sources[slot] = encoder.text(rules[rule]["sources"][slot]);
        set.addRule(std::move(sources), encoder.text(rules[rule]["target"]));
    }
    // A set always holds at least one rule, as the editor's table always has a row.
    if (set.ruleCount() == 0)
        set.addRule({}, {});
    return set;
}

OverallTemplate templateFrom(const val& object, Encoder& encoder) {
    OverallTemplate overall;
    overall.name = encoder.text(object["name"]);
    overall.endingSetName = encoder.text(object["endingSetName"]);
    overall.replacementSetName = encoder.text(object["replacementSetName"]);
    overall.formatName = encoder.text(object["formatName"]);
    return overall;
}

FormatSettings formatSettingsFrom(const val& object, Encoder& encoder) {
    FormatSettings settings;
    const val idolNews = object["idolNews"];
    settings.idolNews.supportTarget = encoder.text(idolNews["supportTarget"]);
    settings.idolNews.name = encoder.text(idolNews["name"]);
    settings.idolNews.supportOn = Encoder::number(idolNews["supportOn"]);
    settings.idolNews.title = encoder.text(idolNews["title"]);
    const val thread = object["thread"];
    settings.thread.title = encoder.text(thread["title"]);
    settings.thread.name = encoder.text(thread["name"]);
    settings.thread.mode = Encoder::number(thread["mode"]);
    const val colours = object["standardColours"];
    settings.standardColours.textColour = encoder.text(colours["textColour"]);
    settings.standardColours.backgroundColour = encoder.text(colours["backgroundColour"]);
    const val fontPlay = object["fontPlay"];
    settings.deleteCommas = Encoder::number(fontPlay["deleteCommas"]);
    settings.lineBreakDegree = Encoder::number(fontPlay["lineBreakDegree"]);
    return settings;
}

val recordsToJs(const SharedRecords& records) {
    val templates = val::array();
    for (const OverallTemplate& overall : records.templates)
        templates.call<void>("push", toJs(overall));
    val endingSets = val::array();
    for (const EndingSet& set : records.endingSets)
        endingSets.call<void>("push", toJs(set));
    val replacementSets = val::array();
    for (const ReplacementSet& set : records.replacementSets)
        replacementSets.call<void>("push", toJs(set));
    val object = val::object();
    object.set("templates", templates);
    object.set("endingSets", endingSets);
    object.set("replacementSets", replacementSets);
    return object;
}

// ---- Settings ----------------------------------------------------------------------

// 0 loaded, 1 too large, 2 too many entries: the defaults stay in force for 1 and 2.
int loadSettings(const std::string& bytes) {
    if (bytes.size() > kMaxSettingsFileBytes) {
        session().startWithDefaults();
        return 1;
    }
    return session().start(bytes) == StartupOutcome::Loaded ? 0 : 2;
}

val settingsBytes() {
    return bytesView(session().settingsBytes());
}

val names() {
    val object = val::object();
    object.set("overallTemplates", stringArray(session().names(RecordKind::OverallTemplate)));
    object.set("endingSets", stringArray(session().names(RecordKind::EndingSet)));
    object.set("replacementSets", stringArray(session().names(RecordKind::ReplacementSet)));
    object.set("formats", stringArray(session().formatNames()));
    return object;
}

val current() {
    val object = val::object();
    object.set("overallTemplate", toJs(session().currentTemplate()));
    object.set("endingSet", toJs(session().currentEndingSet()));
    object.set("replacementSet", toJs(session().currentReplacementSet()));
    const std::optional<OutputFormat> format = session().currentFormat();
    object.set("format", format ? val(static_cast<int>(*format)) : val::null());
    return object;
}

// ---- Records by position or name ---------------------------------------------------

// Position of the first record of `kind` named `name`, or -1.
int find(int kind, const std::string& name) {
    const std::optional<std::string> sjis = utf8ToSjisExact(name);
    if (!sjis)
        return -1;
    const std::optional<Position> position = session().find(kindOf(kind), *sjis);
    return position ? static_cast<int>(*position) : -1;
}

bool stored(RecordKind kind, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < countOf(kind);
}

val get(int kind, int position) {
    const RecordKind which = kindOf(kind);
    if (!stored(which, position))
        return val::null();
    const SettingsStore& store = session().store();
    const auto at = static_cast<Position>(position);
    switch (which) {
    case RecordKind::EndingSet:
        return toJs(store.GetEndingSet(at));
    case RecordKind::ReplacementSet:
        return toJs(store.GetReplacementSet(at));
    case RecordKind::OverallTemplate:
        break;
    }
    return toJs(store.GetOverallTemplate(at));
}

bool pick(int kind, int position) {
    const RecordKind which = kindOf(kind);
    if (!stored(which, position))
        return false;
    const auto at = static_cast<Position>(position);
    switch (which) {
    case RecordKind::EndingSet:
        session().pickEndingSet(at);
        break;
    case RecordKind::ReplacementSet:
        session().pickReplacementSet(at);
        break;
    case RecordKind::OverallTemplate:
        session().pickTemplate(at);
        break;
    }
    return true;
}

bool pickFormat(int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= kFormatCount)
        return false;
    session().pickFormat(static_cast<Position>(position));
    return true;
}

int formatPosition(const std::string& name) {
    const std::optional<std::string> sjis = utf8ToSjisExact(name);
    if (!sjis)
        return -1;
    for (std::size_t position = 0; position < kFormatCount; ++position) {
        if (kFormatNames[position] == *sjis)
            return static_cast<int>(position);
    }
    return -1;
}

// The empty string when used, else why not.
std::string use(int kind, const val& object) {
    Encoder encoder;
    switch (kindOf(kind)) {
    case RecordKind::EndingSet: {
        EndingSet set = endingSetFrom(object, encoder);
        if (encoder.error().empty())
            session().useEndingSet(std::move(set));
        break;
    }
    case RecordKind::ReplacementSet: {
        ReplacementSet set = replacementSetFrom(object, encoder);
        if (encoder.error().empty())
            session().useReplacementSet(std::move(set));
        break;
    }
    case RecordKind::OverallTemplate: {
        OverallTemplate overall = templateFrom(object, encoder);
        if (encoder.error().empty())
            session().useTemplate(std::move(overall));
        break;
    }
    }
    return encoder.error();
}

// "saved", "overwritten", "exists", "empty-name", or an error result.
val save(int kind, const val& object, bool overwrite) {
    const RecordKind which = kindOf(kind);
    Encoder encoder;
    EndingSet ending;
    ReplacementSet replacement;
    OverallTemplate overall;
    const std::string* name = nullptr;
    switch (which) {
    case RecordKind::EndingSet:
        ending = endingSetFrom(object, encoder);
        name = &ending.name;
        break;
    case RecordKind::ReplacementSet:
        replacement = replacementSetFrom(object, encoder);
        name = &replacement.name;
        break;
    case RecordKind::OverallTemplate:
        overall = templateFrom(object, encoder);
        name = &overall.name;
        break;
    }
    if (!encoder.error().empty())
        return errorResult(encoder.error());
    if (name->empty())
        return val("empty-name");
    if (!overwrite && session().findListed(which, *name))
        return val("exists");
    std::optional<ConversionSession::Saved> saved;
    switch (which) {
    case RecordKind::EndingSet:
        saved = session().saveEndingSet(std::move(ending));
        break;
    case RecordKind::ReplacementSet:
        saved = session().saveReplacementSet(std::move(replacement));
        break;
    case RecordKind::OverallTemplate:
        saved = session().saveTemplate(std::move(overall));
        break;
    }
    if (!saved)
        return val("empty-name");
    return val(saved->overwritten ? "overwritten" : "saved");
}

bool removeRecord(int kind, int position) {
    return position >= 0 && session().deleteRecord(kindOf(kind), static_cast<Position>(position));
}

val formatSettings() {
    return toJs(session().formatSettings());
}

std::string setFormatSettings(const val& object) {
    Encoder encoder;
    FormatSettings settings = formatSettingsFrom(object, encoder);
    if (encoder.error().empty())
        session().setFormatSettings(std::move(settings));
    return encoder.error();
}

// ---- Pages -------------------------------------------------------------------------

val page(std::string sjisText, double moment, bool utf8Page) {
    const std::string text = withCrLfLineEnds(std::move(sjisText));
    std::optional<std::string> built = session().buildPage(text, static_cast<std::time_t>(moment));
    if (!built)
        return errorResult("the current template names none of the seven page styles");
    if (!utf8Page)
        return bytesView(std::move(*built));
    std::string decoded = sjisToUtf8(*built);
    declareUtf8Charset(decoded);
    return bytesView(std::move(decoded));
}

// The text of the next page: the wrapper asks for room, writes the bytes straight into
// the module's memory (embind would copy a byte at a time) and gives the size it used.
std::string& heldText() {
    static std::string text;
    return text;
}

std::uintptr_t reserveText(std::size_t bytes) {
    heldText().resize(bytes);
    return reinterpret_cast<std::uintptr_t>(heldText().data());
}

// The page of the held text: UTF-8 (a character Shift_JIS cannot hold becomes a
// character reference, as in every page) or Shift_JIS bytes as they are.
val pageFromText(std::size_t bytes, double moment, bool utf8Text, bool utf8Page) {
    std::string text = std::move(heldText());
    heldText() = std::string();
    text.resize(bytes);
    if (!utf8Text)
        return page(std::move(text), moment, utf8Page);
    SjisEncoding encoded = utf8ToSjis(text, Unmappable::CharacterReference);
    if (!encoded)
        return errorResult("the text is not UTF-8");
    text = std::string();
    return page(std::move(encoded.bytes), moment, utf8Page);
}

// ---- Text files --------------------------------------------------------------------

val decodeText(const std::string& bytes) {
    val object = val::object();
    if (readsAsUtf8(bytes)) {
        object.set("text", std::string(withoutByteOrderMark(bytes)));
        object.set("encoding", std::string("utf-8"));
    } else {
        object.set("text", sjisToUtf8(bytes));
        object.set("encoding", std::string("shift_jis"));
    }
    return object;
}

bool looksLikeUtf8(const std::string& bytes) {
    return readsAsUtf8(bytes);
}

// ---- Set files ---------------------------------------------------------------------

std::vector<Position> positionsFrom(const val& array) {
    std::vector<Position> positions;
    if (array.isUndefined() || array.isNull())
        return positions;
    const unsigned count = array["length"].as<unsigned>();
    for (unsigned index = 0; index < count; ++index)
        positions.push_back(array[index].as<unsigned>());
    return positions;
}

val exportRecords(const val& request) {
    const ExportRequest positions{positionsFrom(request["templates"]),
                                  positionsFrom(request["endingSets"]),
                                  positionsFrom(request["replacementSets"])};
    return bytesView(
        SharedFileBytes(RecordsToExport(session().store(), positions), session().formatSettings()));
}

val readSetFile(const std::string& bytes) {
    if (bytes.size() > kMaxSettingsFileBytes)
        return val::null();
    const SharedFile file = ReadSharedBytes(bytes);
    if (file.status != SharedFile::Status::Read)
        return val::null();
    val object = val::object();
    object.set("records", recordsToJs(file.records));
    object.set("formatSettings", toJs(file.formatSettings));
    return object;
}

bool nameTaken(int kind, const std::string& name) {
    const std::optional<std::string> sjis = utf8ToSjisExact(name);
    return sjis && NameTaken(session().store(), kindOf(kind), *sjis, listNameRules());
}

int kindNumber(RecordKind kind) {
    switch (kind) {
    case RecordKind::EndingSet:
        return 1;
    case RecordKind::ReplacementSet:
        return 2;
    case RecordKind::OverallTemplate:
        break;
    }
    return 0;
}

val importRecords(const std::string& bytes, const val& choices) {
    const SharedFile file =
        bytes.size() > kMaxSettingsFileBytes ? SharedFile{} : ReadSharedBytes(bytes);
    if (file.status != SharedFile::Status::Read)
        return errorResult("not a settings file");
    std::vector<ImportChoice> chosen;
    const unsigned count = choices["length"].as<unsigned>();
    for (unsigned index = 0; index < count; ++index) {
        const val choice = choices[index];
        ImportChoice one;
        one.kind = kindOf(choice["kind"].as<int>());
        one.index = choice["index"].as<unsigned>();
        one.onConflict = static_cast<OnConflict>(choice["onConflict"].as<int>());
        if (one.index >= file.records.count(one.kind))
            return errorResult("no record " + std::to_string(one.index) + " of that kind");
        chosen.push_back(one);
    }
    const std::vector<ImportedRecord> imported =
        ImportRecords(session().editableStore(), file.records, chosen, listNameRules());
    val results = val::array();
    for (const ImportedRecord& record : imported) {
        val object = val::object();
        object.set("kind", kindNumber(record.kind));
        object.set("fileName", utf8(record.fileName));
        object.set("storedName", utf8(record.storedName));
        object.set("result", static_cast<int>(record.result));
        results.call<void>("push", object);
    }
    return results;
}

} // namespace

EMSCRIPTEN_BINDINGS(mireto) {
    using emscripten::function;
    function("loadSettings", &loadSettings);
    function("settingsBytes", &settingsBytes);
    function("names", &names);
    function("current", &current);
    function("find", &find);
    function("get", &get);
    function("pick", &pick);
    function("pickFormat", &pickFormat);
    function("formatPosition", &formatPosition);
    function("use", &use);
    function("save", &save);
    function("remove", &removeRecord);
    function("formatSettings", &formatSettings);
    function("setFormatSettings", &setFormatSettings);
    function("reserveText", &reserveText);
    function("pageFromText", &pageFromText);
    function("decodeText", &decodeText);
    function("looksLikeUtf8", &looksLikeUtf8);
    function("exportRecords", &exportRecords);
    function("readSetFile", &readSetFile);
    function("nameTaken", &nameTaken);
    function("importRecords", &importRecords);
}

} // namespace mireto::web
