// Templates and sets passed around as files. Exporting writes a small settings file in
// Mireto.ini's own format, so the same reader reads it and mireto-convert -s uses it
// as it is; importing reads such a file (or any Mireto.ini) into records of its own
// and adds the chosen ones to the store by name, with a choice for every name that is
// taken already. Nothing here asks the user: the dialogs do, and hand the answers in.
#pragma once

#include "settings/format_settings.h"
#include "settings/settings_file_check.h"
#include "settings/settings_store.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mireto {

enum class RecordKind { OverallTemplate, EndingSet, ReplacementSet };

// Named records, as one shared file holds them, each list in the file's order.
struct SharedRecords {
    std::vector<OverallTemplate> templates;
    std::vector<EndingSet> endingSets;
    std::vector<ReplacementSet> replacementSets;

    bool empty() const {
        return templates.empty() && endingSets.empty() && replacementSets.empty();
    }
    // The name of entry `index` of the list of `kind`.
    const std::string& nameOf(RecordKind kind, std::size_t index) const;
    std::size_t count(RecordKind kind) const;

    friend bool operator==(const SharedRecords&, const SharedRecords&) = default;
};

// What to export, by store position. Set positions start at 1: the built-in none set
// at 0 is never exported (every store has it).
struct ExportRequest {
    std::vector<SettingsStore::Position> templates;
    std::vector<SettingsStore::Position> endingSets;
    std::vector<SettingsStore::Position> replacementSets;
};

// The records a request exports: each template together with the stored sets it names
// (found as a conversion finds them; a template naming the none set or a set no longer
// stored brings none), and each set chosen on its own. Every record once, in store
// order.
SharedRecords RecordsToExport(const SettingsStore& store, const ExportRequest& request);

// The bytes of a shared file: `settings` in the page-settings section, then the three
// sections. Each section's first line, the current slot, repeats the first template
// and the sets it names (or the first set when no template is exported), so that
// mireto-convert -s FILE converts with them without more options, and -t NAME finds
// every template.
std::string SharedFileBytes(const SharedRecords& records, const FormatSettings& settings);

// A settings file read for importing.
struct SharedFile {
    enum class Status { Read, Missing, NotAFile, Unreadable, Malformed };
    Status status = Status::Unreadable;
    SettingsFileCheck check; // where it is malformed
    // Its named records as the editor would list them after starting from it: the
    // current slots left out, and of several entries with one name the first, which
    // is the one a name finds. Entries without a name are left out, and so are sets
    // named 無し, which the built-in none set always hides.
    SharedRecords records;
    FormatSettings formatSettings;
};

// The file at `path` (template_exchange_disk.cpp), or bytes read already: a settings
// file whose size is within kMaxSettingsFileBytes.
SharedFile ReadSharedFile(const std::filesystem::path& path);
SharedFile ReadSharedBytes(std::string_view bytes);

// How names compare when they meet in the store: whether two are the same name, and
// whether one sorts before the other in the editors' lists. Both go by a key made once
// for each name, so that an import of any size compares bytes only: two names are the
// same when their keys are equal, and one sorts before another when its key is less,
// byte by byte. The dialogs pass the lists' own rules (letter case ignored); without a
// key a name is its own.
struct NameRules {
    std::function<std::string(std::string_view)> key;

    std::string keyOf(std::string_view name) const { return key ? key(name) : std::string(name); }
    bool same(std::string_view a, std::string_view b) const { return keyOf(a) == keyOf(b); }
    bool before(std::string_view a, std::string_view b) const { return keyOf(a) < keyOf(b); }
};

// Whether the store holds a record of `kind` under `name` (sets from position 1).
bool NameTaken(const SettingsStore& store, RecordKind kind, std::string_view name,
               const NameRules& rules = {});

// The name of the record of `kind` at `position`; empty past the list.
std::string StoredName(const SettingsStore& store, RecordKind kind,
                       SettingsStore::Position position);

// The editors' lists of each kind, by store position: from FirstEditable (1 for the
// sets, past the built-in none set, which is never saved over or deleted; 0 for the
// templates) up to the first entry without a name.
SettingsStore::Position FirstEditable(RecordKind kind);
// The listed record whose name is `name` as `rules` compare names.
std::optional<SettingsStore::Position> FindListed(const SettingsStore& store, RecordKind kind,
                                                  std::string_view name,
                                                  const NameRules& rules = {});
// Where the editors put a new name: before the first listed name that sorts after it,
// else after the last listed one.
SettingsStore::Position SortedPosition(const SettingsStore& store, RecordKind kind,
                                       std::string_view name, const NameRules& rules = {});
// Deletes the record at `position`; false, changing nothing, below FirstEditable or
// past the list.
bool DeleteRecord(SettingsStore& store, RecordKind kind, SettingsStore::Position position);

enum class OnConflict { Overwrite, KeepBoth, Skip };

// One record of the file to import, and what to do when its name is taken.
struct ImportChoice {
    RecordKind kind = RecordKind::OverallTemplate;
    std::size_t index = 0; // in the file's list of that kind
    OnConflict onConflict = OnConflict::KeepBoth;

    friend bool operator==(const ImportChoice&, const ImportChoice&) = default;
};

struct ImportedRecord {
    enum class Result { Added, Overwritten, AddedAs, Skipped };
    RecordKind kind = RecordKind::OverallTemplate;
    std::string fileName;   // the name in the file
    std::string storedName; // the name it has in the store now (AddedAs: the new one)
    Result result = Result::Added;

    friend bool operator==(const ImportedRecord&, const ImportedRecord&) = default;
};

// Adds the chosen records to the store, sets before templates. A new name goes where
// the editors would put it: before the first listed name that sorts after it. A taken
// name is overwritten (every field, the name as the file spells it), kept beside the
// stored one as "名前 (2)" (the first such name that is free), or skipped. A template
// imported with a set that had to take a new name names the set by that name. One
// result per choice, in the order the records were stored.
std::vector<ImportedRecord> ImportRecords(SettingsStore& store, const SharedRecords& records,
                                          const std::vector<ImportChoice>& choices,
                                          const NameRules& rules = {});
// The same, working the import out once for both: `missingSets` is set, before the
// store changes, to what ImportPreview::missingSets says of `choices`.
std::vector<ImportedRecord> ImportRecords(SettingsStore& store, const SharedRecords& records,
                                          const std::vector<ImportChoice>& choices,
                                          const NameRules& rules,
                                          std::vector<std::vector<RecordKind>>& missingSets);

// An import looked at before it is made, for a dialog that asks again at every tick: the
// keys of the store's names and of the file's are made once, so that each question costs
// a look-up per record, however long the lists. The store and the records must outlive
// it unchanged.
class ImportPreview {
public:
    ImportPreview(const SettingsStore& store, const SharedRecords& records, NameRules rules = {});
    ~ImportPreview();
    ImportPreview(const ImportPreview&) = delete;
    ImportPreview& operator=(const ImportPreview&) = delete;

    // Whether record `index` of `kind` in the file meets a name the store has.
    bool taken(RecordKind kind, std::size_t index) const;

    // What ImportRecords would answer, the store left as it is.
    std::vector<ImportedRecord> results(const std::vector<ImportChoice>& choices) const;

    // For each template of the file, the sets it names that it would not find once
    // `choices` are imported (a template not chosen looked at as if it were, keeping
    // both): in neither the import nor the store, so that it converts with the none set
    // in their place. Empty for one that finds both, and for one skipped.
    std::vector<std::vector<RecordKind>>
    missingSets(const std::vector<ImportChoice>& choices) const;

private:
    friend std::vector<ImportedRecord> ImportRecords(SettingsStore&, const SharedRecords&,
                                                     const std::vector<ImportChoice>&,
                                                     const NameRules&);
    friend std::vector<ImportedRecord> ImportRecords(SettingsStore&, const SharedRecords&,
                                                     const std::vector<ImportChoice>&,
                                                     const NameRules&,
                                                     std::vector<std::vector<RecordKind>>&);
    struct Lists;
    struct Plan;
    Plan plan(const std::vector<ImportChoice>& choices) const;
    std::vector<std::vector<RecordKind>> missingSets(const Plan& plan) const;

    const SettingsStore& m_store;
    const SharedRecords& m_records;
    NameRules m_rules;
    std::unique_ptr<Lists> m_lists;
};

} // namespace mireto
