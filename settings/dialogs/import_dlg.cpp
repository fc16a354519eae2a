#include "settings/dialogs/import_dlg.h"

#include "settings/dialogs/record_checklist.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_qstring.h"
#include "widgets/template_list.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "テンプレート読み込み";
constexpr std::string_view kPrompt = "読み込むテンプレートと設定を選んで下さい。";
constexpr std::string_view kConflictColumn = "同じ名前があるとき";
constexpr std::string_view kNoteColumn = "備考";
constexpr std::string_view kOverwrite = "上書き";
constexpr std::string_view kKeepBoth = "両方残す";
constexpr std::string_view kSkip = "スキップ";
constexpr std::string_view kNoEnding = "語尾変換「%s」がありません（無しで変換します）";
constexpr std::string_view kNoReplacement = "置換「%s」がありません（無しで変換します）";
constexpr std::string_view kNoSets = "語尾変換と置換がありません（無しで変換します）";

constexpr int kConflictColumnIndex = 1;
constexpr int kNoteColumnIndex = 2;
// Column kConflictColumnIndex of a taken name holds its choice, a place in kConflictChoices.
constexpr int kChoiceRole = Qt::UserRole + 10;

// The choices in the order the list offers them.
constexpr OnConflict kConflictChoices[] = {OnConflict::Overwrite, OnConflict::KeepBoth,
                                           OnConflict::Skip};
constexpr std::string_view kConflictTexts[] = {kOverwrite, kKeepBoth, kSkip};

// The choice beside a taken name: its text shown like any other, a list of the three
// opened where it is clicked, and the one picked stored at once.
class ConflictChoiceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        if (!index.data(kChoiceRole).isValid())
            return nullptr;
        auto* choice = new QComboBox(parent);
        for (std::string_view text : kConflictTexts)
            choice->addItem(uiText(text));
        connect(choice, &QComboBox::activated, this, [this, choice] {
            auto* self = const_cast<ConflictChoiceDelegate*>(this);
            emit self->commitData(choice);
        });
        return choice;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QComboBox*>(editor)->setCurrentIndex(index.data(kChoiceRole).toInt());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const int picked = static_cast<QComboBox*>(editor)->currentIndex();
        if (picked < 0 || picked == index.data(kChoiceRole).toInt())
            return;
        model->setData(index, picked, kChoiceRole);
        model->setData(index, uiText(kConflictTexts[picked]), Qt::DisplayRole);
    }
};

// For the columns whose cells are not edited.
class NoEditorDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        return nullptr;
    }
};

} // namespace

CImportDlg::Start CImportDlg::prepare(const SettingsStore& store, const SharedRecords& records) {
    Start start{std::make_unique<ImportPreview>(store, records, listNameRules()), {}};
    std::vector<ImportChoice> all;
    for (RecordKind kind :
         {RecordKind::OverallTemplate, RecordKind::EndingSet, RecordKind::ReplacementSet}) {
        for (std::size_t index = 0; index < records.count(kind); ++index)
            all.push_back({kind, index, OnConflict::KeepBoth});
    }
    start.missingSets = start.preview->missingSets(all);
    return start;
}

CImportDlg::CImportDlg(const SettingsStore& store, const SharedRecords& records, QWidget* parent)
    : CImportDlg(records, prepare(store, records), parent) {}

CImportDlg::CImportDlg(const SharedRecords& records, Start start, QWidget* parent)
    : QDialog(parent), m_records(records), m_preview(std::move(start.preview)) {
    setWindowTitle(uiText(kCaption));
    auto* prompt = new QLabel(uiText(kPrompt));
    prompt->setWordWrap(true);
    m_list = new RecordChecklist({uiText(kConflictColumn), uiText(kNoteColumn)});
    m_list->setItemDelegateForColumn(kConflictColumnIndex, new ConflictChoiceDelegate(m_list));
    m_list->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed);
    // Only the choices open for editing: the names stay as they are.
    m_list->setItemDelegateForColumn(0, new NoEditorDelegate(m_list));
    m_list->setItemDelegateForColumn(kNoteColumnIndex, new NoEditorDelegate(m_list));

    const QString keepBoth = uiText(kKeepBoth);
    for (RecordKind kind :
         {RecordKind::OverallTemplate, RecordKind::EndingSet, RecordKind::ReplacementSet}) {
        for (std::size_t index = 0; index < records.count(kind); ++index) {
            QTreeWidgetItem* item = m_list->addName(kind, index, records.nameOf(kind, index), true);
            if (kind == RecordKind::OverallTemplate)
                m_templateItems.push_back(item);
            if (!m_preview->taken(kind, index))
                continue;
            // Nothing is lost unless the user says so.
            m_list->setEditableCell(item, kConflictColumnIndex, keepBoth, kChoiceRole, 1);
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_list);
    layout->addLayout(makeChooserButtons(this));
    m_ok = findChild<QPushButton*>(QStringLiteral("okButton"));

    connect(m_list, &RecordChecklist::ticksChanged, this, &CImportDlg::showMissingSets);
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (column == kConflictColumnIndex)
            showMissingSets();
    });
    showNotes(start.missingSets);
    m_list->finish();
    resize(qMax(sizeHint().width(), 560), qMax(sizeHint().height(), 400));
}

QComboBox* CImportDlg::conflictChoice(RecordKind kind, std::size_t index) {
    for (QTreeWidgetItem* item : m_list->names()) {
        if (RecordChecklist::kindOf(item) != kind || RecordChecklist::indexOf(item) != index)
            continue;
        if (!item->data(kConflictColumnIndex, kChoiceRole).isValid())
            return nullptr;
        m_list->setCurrentItem(item, kConflictColumnIndex);
        // A list not on screen opens no editor as its current cell moves.
        m_list->editItem(item, kConflictColumnIndex);
        return qobject_cast<QComboBox*>(m_list->editorOf(item, kConflictColumnIndex));
    }
    return nullptr;
}

std::vector<ImportChoice> CImportDlg::choices() const {
    std::vector<ImportChoice> chosen;
    for (QTreeWidgetItem* item : m_list->tickedNames()) {
        const QVariant choice = item->data(kConflictColumnIndex, kChoiceRole);
        chosen.push_back(
            {RecordChecklist::kindOf(item), RecordChecklist::indexOf(item),
             choice.isValid() ? kConflictChoices[choice.toInt()] : OnConflict::KeepBoth});
    }
    return chosen;
}

void CImportDlg::showMissingSets() {
    showNotes(m_preview->missingSets(choices()));
}

void CImportDlg::showNotes(const std::vector<std::vector<RecordKind>>& missing) {
    for (QTreeWidgetItem* item : m_templateItems) {
        QString note;
        const std::size_t index = RecordChecklist::indexOf(item);
        if (RecordChecklist::isTicked(item)) {
            const std::vector<RecordKind>& sets = missing[index];
            const OverallTemplate& overall = m_records.templates[index];
            if (sets.size() == 2)
                note = uiText(kNoSets);
            else if (!sets.empty() && sets.front() == RecordKind::EndingSet)
                note = withName(kNoEnding, fromSjis(overall.endingSetName));
            else if (!sets.empty())
                note = withName(kNoReplacement, fromSjis(overall.replacementSetName));
        }
        if (item->text(kNoteColumnIndex) != note)
            m_list->setNote(item, kNoteColumnIndex, note);
    }
    m_ok->setEnabled(!m_list->tickedNames().empty());
}

} // namespace mireto
