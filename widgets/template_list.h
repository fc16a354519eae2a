// The template list with its name field, shared by every template editor and chooser.
// List item p stands for store position p + first position: the set editors start at 1,
// past the built-in none set, the choosers and the overall-template editor at 0. An
// editor's store puts each new name where an order that ignores letter case puts it
// (SortedPosition), and the list inserts it at the matching item, so item and position
// stay in step even when a hand-edited settings file holds the templates out of that order.
#pragma once

#include "settings/settings_store.h"
#include "settings/template_exchange.h"
#include "widgets/name_combo.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QPushButton;

namespace mireto {

// How an editor reaches its kind of template in the store, by store position. A new
// template goes where the store's editing rules put it (returned); the inserts and
// overwrites store a copy of the editor's working record.
struct TemplateShelf {
    std::function<std::string(std::size_t)> storedName;
    std::function<std::size_t()> insertWorking;
    std::function<void(std::size_t)> overwriteWorking;
    std::function<void(std::size_t)> remove;
};

// How the editors' lists compare names, for what they hold and where a new name goes:
// as Qt shows them, letter case ignored.
NameRules listNameRules();

template <typename Record>
TemplateShelf makeShelf(SettingsStore& store, RecordKind kind, const Record& working,
                        Record (SettingsStore::*get)(std::size_t) const,
                        void (SettingsStore::*insert)(Record, std::size_t),
                        void (SettingsStore::*overwrite)(Record, std::size_t)) {
    return {
        [&store, get](std::size_t at) { return (store.*get)(at).name; },
        [&store, kind, &working, insert] {
            const std::size_t at = SortedPosition(store, kind, working.name, listNameRules());
            (store.*insert)(working, at);
            return at;
        },
        [&store, &working, overwrite](std::size_t at) { (store.*overwrite)(working, at); },
        [&store, kind](std::size_t at) { DeleteRecord(store, kind, at); },
    };
}

class TemplateList : public NameCombo {
    Q_OBJECT
public:
    explicit TemplateList(std::size_t firstPosition, QWidget* parent = nullptr);

    // Lists the names the store gives from the first position on, each at its own
    // index, up to the first empty name.
    void fill(std::function<std::string(std::size_t)> nameAt);

    // Selects the listed name that `name` (Shift_JIS) reads as, and remembers its bytes:
    // while that item stays selected, fieldBytes gives them back as they were.
    void selectStored(const std::string& name);
    // From now on a selected item stands for the store's bytes only.
    void forgetStored() { m_storedItem = -1; }

    // The name field's text in Shift_JIS as it is to be stored: the bytes a selected item
    // stands for (those selectStored was given, or the store's); what was typed otherwise,
    // or nullopt after a message with `caption` when Shift_JIS cannot hold it.
    std::optional<std::string> fieldBytes(const QString& caption);

    // The store position an item stands for; no item (-1) stands for a position past
    // every list, which the store answers with its empty or default record.
    std::size_t positionOf(int item) const;
    std::size_t selectedPosition() const { return positionOf(selectedItem()); }

    // Makes this an editor's list: saves and deletes go through `shelf`, and
    // `deleteButton` is enabled exactly while the name field names a listed template.
    void attachEditor(QPushButton* deleteButton, TemplateShelf shelf);
    // The delete question and its answer, when the kind of template needs its own.
    void setDeleteTexts(std::string_view askSjis, std::string_view doneSjis);

    // "テンプレート保存", the caption of the save messages.
    static QString saveCaption();

    // First step of a save: the name typed, or nullopt after a message when it is empty
    // or cannot be stored.
    std::optional<std::string> nameToSave();
    // The rest of a save, once the working record holds the controls' values and that
    // name: insert it under a new name, or overwrite the listed one after asking.
    void saveWorking();
    // Deletes the listed template the name field names, after asking.
    void deleteNamed();

private:
    void OnPicked();
    void OnTyped(const QString& text);

    std::size_t m_first;
    std::function<std::string(std::size_t)> m_nameAt;
    int m_storedItem = -1;
    std::string m_storedName;
    QPushButton* m_deleteButton = nullptr;
    TemplateShelf m_shelf;
    std::string_view m_askDelete;
    std::string_view m_deleted;
};

} // namespace mireto
