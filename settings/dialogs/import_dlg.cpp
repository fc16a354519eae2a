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

constexpr std::string_view kCaption = // テンプレート読み込み
    "\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x93\xC7\x82\xDD\x8D\x9E\x82\xDD";
constexpr std::string_view kPrompt = // 読み込むテンプレートと設定を選んで下さい。
    "\x93\xC7\x82\xDD\x8D\x9E\x82\xDE\x83"
    "e\x83\x93\x83v\x83\x8C\x81["
    "\x83g\x82\xC6\x90\xDD\x92\xE8\x82\xF0\x91I\x82\xF1\x82\xC5\x89\xBA\x82\xB3\x82\xA2\x81"
    "B";
constexpr std::string_view kConflictColumn = // 同じ名前があるとき
    "\x93\xAF\x82\xB6\x96\xBC\x91O\x82\xAA\x82\xA0\x82\xE9\x82\xC6\x82\xAB";
constexpr std::string_view kNoteColumn = // 備考
    "\x94\xF5\x8Dl";
constexpr std::string_view kOverwrite = // 上書き
    "\x8F\xE3\x8F\x91\x82\xAB";
constexpr std::string_view kKeepBoth = // 両方残す
    "\x97\xBC\x95\xFB\x8E"
    "c\x82\xB7";
constexpr std::string_view kSkip = // スキップ
    "\x83X\x83L\x83"
    "b\x83v";
constexpr std::string_view kNoEnding = // 語尾変換「%s」がありません（無しで変換します）
    "\x8C\xEA\x94\xF6\x95\xCF\x8A\xB7\x81u%"
    "s\x81v\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81i\x96\xB3\x82\xB5\x82\xC5\x95\xCF"
    "\x8A\xB7\x82\xB5\x82\xDC\x82\xB7\x81j";
constexpr std::string_view kNoReplacement = // 置換「%s」がありません（無しで変換します）
    "\x92u\x8A\xB7\x81u%"
    "s\x81v\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81i\x96\xB3\x82\xB5\x82\xC5\x95\xCF"
    "\x8A\xB7\x82\xB5\x82\xDC\x82\xB7\x81j";
constexpr std::string_view kNoSets = // 語尾変換と置換がありません（無しで変換します）
    "\x8C\xEA\x94\xF6\x95\xCF\x8A\xB7\x82\xC6\x92u\x8A\xB7\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81i\x96\xB3\x82\xB5\x82\xC5\x95\xCF\x8A\xB7\x82\xB5\x82\xDC\x82\xB7\x81j";

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

CImportDlg::CImportDlg(const SettingsStore& store, const SharedRecords& records, QWidget* parent)
    : QDialog(parent), m_records(records),
      m_preview(std::make_unique<ImportPreview>(store, records, listNameRules())) {
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
    showMissingSets();
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
    const std::vector<ImportChoice> chosen = choices();
    const std::vector<std::vector<RecordKind>> missing = m_preview->missingSets(chosen);
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
    m_ok->setEnabled(!chosen.empty());
}

} // namespace mireto
