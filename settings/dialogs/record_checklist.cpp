#include "settings/dialogs/record_checklist.h"

#include "convert/sjis_codec.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_qstring.h"

#include <QHeaderView>

namespace mireto {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

constexpr std::string_view kTemplates = "全体テンプレート";
constexpr std::string_view kEndingSets = "語尾変換";
constexpr std::string_view kReplacementSets = "置換";
constexpr std::string_view kName = "名前";

constexpr RecordKind kKinds[] = {RecordKind::OverallTemplate, RecordKind::EndingSet,
                                 RecordKind::ReplacementSet};

std::string_view headingText(RecordKind kind) {
    switch (kind) {
    case RecordKind::OverallTemplate:
        return kTemplates;
    case RecordKind::EndingSet:
        return kEndingSets;
    case RecordKind::ReplacementSet:
        break;
    }
    return kReplacementSets;
}

} // namespace

RecordChecklist::RecordChecklist(const QStringList& columns, QWidget* parent)
    : QTreeWidget(parent) {
    setObjectName(QStringLiteral("recordList"));
    setHeaderLabels(QStringList{uiText(kName)} + columns);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    for (RecordKind kind : kKinds) {
        auto* item = new QTreeWidgetItem(this, QStringList{uiText(headingText(kind))});
        item->setFlags(Qt::ItemIsEnabled);
        item->setData(0, kKindRole, static_cast<int>(kind));
        QFont bold = item->font(0);
        bold.setBold(true);
        item->setFont(0, bold);
    }
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (!m_quiet && column == 0)
            emit ticksChanged();
    });
}

QTreeWidgetItem* RecordChecklist::heading(RecordKind kind) {
    return topLevelItem(static_cast<int>(kind));
}

QTreeWidgetItem* RecordChecklist::addName(RecordKind kind, std::size_t index,
                                          const std::string& sjisName, bool ticked) {
    // Made outside the list, where setting its fields tells no one.
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(sjisToUtf8(sjisName))});
    setTickable(item, true);
    item->setData(0, kKindRole, static_cast<int>(kind));
    item->setData(0, kIndexRole, static_cast<qulonglong>(index));
    item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    m_unattached[static_cast<int>(kind)].append(item);
    return item;
}

void RecordChecklist::attachNames() const {
    auto* self = const_cast<RecordChecklist*>(this);
    for (RecordKind kind : kKinds) {
        QList<QTreeWidgetItem*>& names = m_unattached[static_cast<int>(kind)];
        if (names.isEmpty())
            continue;
        self->m_quiet = true;
        self->heading(kind)->addChildren(names);
        self->m_quiet = false;
        names.clear();
    }
}

void RecordChecklist::finish() {
    attachNames();
    for (RecordKind kind : kKinds) {
        QTreeWidgetItem* top = heading(kind);
        top->setHidden(top->childCount() == 0);
        top->setExpanded(true);
    }
    for (int column = 0; column < columnCount(); ++column)
        resizeColumnToContents(column);
}

RecordKind RecordChecklist::kindOf(const QTreeWidgetItem* item) {
    return static_cast<RecordKind>(item->data(0, kKindRole).toInt());
}

std::size_t RecordChecklist::indexOf(const QTreeWidgetItem* item) {
    return static_cast<std::size_t>(item->data(0, kIndexRole).toULongLong());
}

bool RecordChecklist::isTicked(const QTreeWidgetItem* item) {
    return item->checkState(0) == Qt::Checked;
}

std::vector<QTreeWidgetItem*> RecordChecklist::names() const {
    attachNames();
    std::vector<QTreeWidgetItem*> all;
    for (int top = 0; top < topLevelItemCount(); ++top) {
        for (int at = 0; at < topLevelItem(top)->childCount(); ++at)
            all.push_back(topLevelItem(top)->child(at));
    }
    return all;
}

std::vector<QTreeWidgetItem*> RecordChecklist::tickedNames() const {
    std::vector<QTreeWidgetItem*> ticked;
    for (QTreeWidgetItem* item : names()) {
        if (isTicked(item))
            ticked.push_back(item);
    }
    return ticked;
}

void RecordChecklist::setTicked(QTreeWidgetItem* item, bool ticked) {
    m_quiet = true;
    item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    m_quiet = false;
}

void RecordChecklist::setNote(QTreeWidgetItem* item, int column, const QString& note) {
    m_quiet = true;
    item->setText(column, note);
    m_quiet = false;
}

void RecordChecklist::setEditableCell(QTreeWidgetItem* item, int column, const QString& text,
                                      int role, const QVariant& value) {
    m_quiet = true;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setData(column, role, value);
    item->setText(column, text);
    m_quiet = false;
}

QWidget* RecordChecklist::editorOf(QTreeWidgetItem* item, int column) const {
    return indexWidget(indexFromItem(item, column));
}

void RecordChecklist::setTickable(QTreeWidgetItem* item, bool tickable) {
    m_quiet = true;
    item->setFlags(tickable ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::NoItemFlags);
    m_quiet = false;
}

} // namespace mireto
