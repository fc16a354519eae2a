// The list both exchange dialogs show: overall templates, ending sets and replacement
// sets by name, each kind under its own heading, each name with a box to tick. Further
// columns are the dialogs' own.
#pragma once

#include "settings/template_exchange.h"

#include <QTreeWidget>
#include <cstddef>
#include <string>
#include <vector>

namespace mireto {

class RecordChecklist : public QTreeWidget {
    Q_OBJECT
public:
    // `columns` are the headings after the first, the names' own.
    explicit RecordChecklist(const QStringList& columns, QWidget* parent = nullptr);

    // Adds `sjisName` under the heading of `kind`; `index` is what the dialog knows the
    // record by (a store position, a place in a file).
    QTreeWidgetItem* addName(RecordKind kind, std::size_t index, const std::string& sjisName,
                             bool ticked);
    // Shows the headings that have names, opened, and sizes the columns to their texts.
    void finish();

    static RecordKind kindOf(const QTreeWidgetItem* item);
    static std::size_t indexOf(const QTreeWidgetItem* item);
    static bool isTicked(const QTreeWidgetItem* item);

    // The names, in list order, heading by heading.
    std::vector<QTreeWidgetItem*> names() const;
    std::vector<QTreeWidgetItem*> tickedNames() const;

    // Ticks and notes set from code stay silent: only the user's ticks notify.
    void setTicked(QTreeWidgetItem* item, bool ticked);
    void setNote(QTreeWidgetItem* item, int column, const QString& note);
    // Lets the user edit cell `column` of `item`, which shows `text` and holds `value`
    // under `role`; the column's delegate makes the editor.
    void setEditableCell(QTreeWidgetItem* item, int column, const QString& text, int role,
                         const QVariant& value);
    // The editor open on that cell, if one is.
    QWidget* editorOf(QTreeWidgetItem* item, int column) const;
    // Whether the user may tick or untick it; one that is not is shown greyed.
    void setTickable(QTreeWidgetItem* item, bool tickable);

signals:
    void ticksChanged();

private:
    QTreeWidgetItem* heading(RecordKind kind);
    // Names are added to the list in one go per heading, as soon as anything looks at
    // them: a file of any size lists at once.
    void attachNames() const;

    bool m_quiet = false;
    mutable QList<QTreeWidgetItem*> m_unattached[3];
};

} // namespace mireto
