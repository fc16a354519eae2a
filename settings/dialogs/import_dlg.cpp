#include "settings/dialogs/import_dlg.h"

#include "settings/dialogs/record_checklist.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_qstring.h"
#include "widgets/template_list.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
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

// The choices in the order the list offers them.
constexpr OnConflict kConflictChoices[] = {OnConflict::Overwrite, OnConflict::KeepBoth,
                                           OnConflict::Skip};

QString conflictName(RecordKind kind, std::size_t index) {
    return QStringLiteral("conflict_%1_%2").arg(static_cast<int>(kind)).arg(index);
}

} // namespace

CImportDlg::CImportDlg(const SettingsStore& store, const SharedRecords& records, QWidget* parent)
    : QDialog(parent), m_store(store), m_records(records), m_rules(listNameRules()) {
    setWindowTitle(uiText(kCaption));
    auto* prompt = new QLabel(uiText(kPrompt));
    prompt->setWordWrap(true);
    m_list = new RecordChecklist({uiText(kConflictColumn), uiText(kNoteColumn)});

    for (RecordKind kind :
         {RecordKind::OverallTemplate, RecordKind::EndingSet, RecordKind::ReplacementSet}) {
        for (std::size_t index = 0; index < records.count(kind); ++index) {
            const std::string& name = records.nameOf(kind, index);
            QTreeWidgetItem* item = m_list->addName(kind, index, name, true);
            if (!NameTaken(store, kind, name, m_rules))
                continue;
            auto* choice = new QComboBox;
            choice->setObjectName(conflictName(kind, index));
            for (std::string_view text : {kOverwrite, kKeepBoth, kSkip})
                choice->addItem(uiText(text));
            choice->setCurrentIndex(1); // nothing is lost unless the user says so
            m_list->setItemWidget(item, kConflictColumnIndex, choice);
            connect(choice, &QComboBox::activated, this, &CImportDlg::showMissingSets);
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_list);
    layout->addLayout(makeChooserButtons(this));
    m_ok = findChild<QPushButton*>(QStringLiteral("okButton"));

    connect(m_list, &RecordChecklist::ticksChanged, this, &CImportDlg::showMissingSets);
    showMissingSets();
    m_list->finish();
    resize(qMax(sizeHint().width(), 560), qMax(sizeHint().height(), 400));
}

QComboBox* CImportDlg::conflictChoice(RecordKind kind, std::size_t index) const {
    return m_list->findChild<QComboBox*>(conflictName(kind, index));
}

std::vector<ImportChoice> CImportDlg::choices() const {
    std::vector<ImportChoice> chosen;
    for (QTreeWidgetItem* item : m_list->tickedNames()) {
        const RecordKind kind = RecordChecklist::kindOf(item);
        const std::size_t index = RecordChecklist::indexOf(item);
        const QComboBox* choice = conflictChoice(kind, index);
        chosen.push_back(
            {kind, index,
             choice ? kConflictChoices[choice->currentIndex()] : OnConflict::KeepBoth});
    }
    return chosen;
}

void CImportDlg::showMissingSets() {
    const std::vector<ImportChoice> chosen = choices();
    for (QTreeWidgetItem* item : m_list->names()) {
        if (RecordChecklist::kindOf(item) != RecordKind::OverallTemplate)
            continue;
        QString note;
        const std::size_t index = RecordChecklist::indexOf(item);
        if (RecordChecklist::isTicked(item)) {
            const std::vector<RecordKind> missing =
                MissingSets(m_store, m_records, index, chosen, m_rules);
            const OverallTemplate& overall = m_records.templates[index];
            if (missing.size() == 2)
                note = uiText(kNoSets);
            else if (!missing.empty() && missing.front() == RecordKind::EndingSet)
                note = withName(kNoEnding, fromSjis(overall.endingSetName));
            else if (!missing.empty())
                note = withName(kNoReplacement, fromSjis(overall.replacementSetName));
        }
        m_list->setNote(item, kNoteColumnIndex, note);
    }
    m_ok->setEnabled(!chosen.empty());
}

} // namespace mireto
