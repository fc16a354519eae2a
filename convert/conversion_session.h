// One conversion session: everything a page is built from, and the one way it is built.
// The session owns the settings store, the page styles' settings and the current
// selection (overall template, ending set, replacement set); every front end (the
// editor, mireto-convert, the browser) starts one from the bytes of a settings file,
// picks and edits through it, builds its pages with buildPage or streamPage, and saves
// the bytes settingsBytes gives.
//
// As after start-up, the store's ending and replacement lists hold the built-in none
// sets at position 0; the editors list the sets from position 1 and never save over or
// delete those. Names are Shift_JIS bytes throughout.
//
// Nothing here touches a file except startFromFile (conversion_session_file.cpp), which
// a build without file access leaves out.
#pragma once

#include "convert/converter.h"
#include "settings/format_settings.h"
#include "settings/records.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "settings/template_exchange.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

class ConversionSession {
public:
    using Position = SettingsStore::Position;

    // What a template pick chose in the other lists: the positions of the sets the
    // template names (0, the none set, for a name no set has) and of its page style
    // (nothing when it names none of the seven).
    struct TemplatePick {
        Position endingSet = 0;
        Position replacementSet = 0;
        std::optional<Position> format;
    };

    // A save as the editors make it: where the record went, and whether it replaced
    // a listed one of the same name.
    struct Saved {
        Position position = 0;
        bool overwritten = false;
    };

    // `rules` say how the lists compare names when a save looks for a listed name or a
    // place for a new one, and when a picked template's page style is looked up; the
    // defaults compare bytes. Starts as start-up does without a file.
    explicit ConversionSession(NameRules rules = {});

    // ---- Start and save ----------------------------------------------------------

    // Start-up from the bytes of a settings file: Loaded, or TooManyEntries when the
    // lists would take more memory than the file's size allows, in which case the
    // session starts as without a file. Whatever the session held before is gone.
    StartupOutcome start(std::string_view settingsBytes);
    // Start-up without a settings file: the defaults, the none sets, the style names.
    void startWithDefaults();
    // Start-up from the file at `path`: its bytes as start() takes them, or (for a file
    // that is not there or cannot be read) the defaults, with the reason.
    StartupOutcome startFromFile(const std::filesystem::path& path);

    // The bytes of the settings file for everything the session holds now.
    std::string settingsBytes() const;

    // ---- What there is -----------------------------------------------------------

    const SettingsStore& store() const { return m_store; }
    // The store itself, for the editors that save and delete as they go (through the
    // same FindListed, SortedPosition and DeleteRecord as the saves below) and for an
    // import. The current records are never touched through it.
    SettingsStore& editableStore() { return m_store; }
    const FormatSettings& formatSettings() const { return m_formatSettings; }
    const CurrentSelection& current() const { return m_current; }
    const OverallTemplate& currentTemplate() const { return m_current.overallTemplate; }
    const EndingSet& currentEndingSet() const { return m_current.endingSet; }
    const ReplacementSet& currentReplacementSet() const { return m_current.replacementSet; }

    // The names of a list from position 0 up to the first empty name, as the panel
    // lists them: item i is store position i (the sets' lists begin with the none set).
    std::vector<std::string> names(RecordKind kind) const;
    // The seven page-style names, by position.
    std::vector<std::string> formatNames() const;

    // Position of the first stored record of `kind` named exactly `name` (bytes), as
    // a template finds its sets; the whole list is searched.
    std::optional<Position> find(RecordKind kind, std::string_view name) const;
    // The current page style, when the current template names one of the seven.
    std::optional<OutputFormat> currentFormat() const;

    // ---- Picks -------------------------------------------------------------------

    // Makes stored template `position` current, as a pick in the panel does: its name,
    // the sets it names (the none sets for names no set has) and its page style.
    TemplatePick pickTemplate(Position position);
    // Makes a stored set current; the current template names it.
    void pickEndingSet(Position position);
    void pickReplacementSet(Position position);
    // Makes page style `position` (0-6) current; past the seven, no style is.
    void pickFormat(Position position);
    void pickFormat(OutputFormat format) { pickFormat(static_cast<Position>(format)); }

    // The same by name (exact bytes, the first of the name); false, changing nothing,
    // when no record of `kind` has it.
    bool pickByName(RecordKind kind, std::string_view name);

    // Uses records handed in as current without storing them (a chooser's OK, a link
    // that carries a page's sets): the store is not touched.
    void useTemplate(OverallTemplate overall);
    void useEndingSet(EndingSet set);
    void useReplacementSet(ReplacementSet set);
    void useCurrent(CurrentSelection current);

    // ---- A style's settings ------------------------------------------------------

    void setFormatSettings(FormatSettings settings);
    void setFontPlaySettings(const FontPlaySettings& settings);
    void setIdolNewsSettings(IdolNewsSettings settings);
    void setThreadSettings(ThreadSettings settings);
    void setStandardColours(StandardColours colours);

    // ---- Saving records as the editors do ----------------------------------------

    // The first position an editor lists for `kind`: 1 for the sets (past the none
    // set, which is never saved over or deleted), 0 for the templates.
    static Position firstEditable(RecordKind kind);
    // The listed record (from firstEditable up to the first empty name) whose name is
    // `name` as the lists compare names.
    std::optional<Position> findListed(RecordKind kind, std::string_view name) const;
    // Where a new name goes: before the first listed name that sorts after it.
    Position sortedPosition(RecordKind kind, std::string_view name) const;

    // Saves under the record's own name: over the listed record of that name (every
    // field, the name as given), or as a new record at its sorted position. An editor
    // asks before the overwrite; this does not ask. The current records are not
    // changed. A record without a name is not saved (nullopt).
    std::optional<Saved> saveTemplate(OverallTemplate overall);
    std::optional<Saved> saveEndingSet(EndingSet set);
    std::optional<Saved> saveReplacementSet(ReplacementSet set);

    // Deletes the record at `position`; false, changing nothing, for a position
    // below firstEditable or past the list. The current records are not changed.
    bool deleteRecord(RecordKind kind, Position position);

    // ---- Pages -------------------------------------------------------------------

    // The page of `text` (Shift_JIS, lines ended by CR LF) in the current page style,
    // with the current sets and the style's settings, for `moment`, which seeds every
    // draw and dates the page. Nothing when the current style is none of the seven.
    std::optional<std::string> buildPage(const std::string& text, std::time_t moment) const;
    // The same page handed to `sink` a piece at a time as it is built, never whole in
    // memory (see Converter::streamPage). False when the current style is none of the
    // seven (nothing is handed over) or the sink refused a piece.
    bool streamPage(const std::string& text, std::time_t moment, const PageSink& sink) const;

private:
    NameRules m_rules;
    SettingsStore m_store;
    FormatSettings m_formatSettings;
    CurrentSelection m_current;
};

} // namespace mireto
