#include "settings/dialogs/export_dlg.h"

#include "settings/dialogs/record_checklist.h"
#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_qstring.h"
#include "widgets/template_list.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <set>

namespace mireto {

namespace {

constexpr std::string_view kCaption = "テンプレート書き出し";
// 書き出すテンプレートと設定を選んで下さい。テンプレートを選ぶと、それが使う語尾変換と置換も
// 一緒に書き出します。
constexpr std::string_view kPrompt = "書き出すテンプレートと設定を選んで下さい。テンプレートを選ぶ"
                                     "と、それが使う語尾変換と置換も一緒に書き出します。";
constexpr std::string_view kNoteColumn = "備考";
constexpr std::string_view kBrought = "テンプレートと一緒に";

// Names from `first` up to the first empty one, as the editors list them.
template <typename NameAt>
void addNames(RecordChecklist* list, RecordKind kind, std::size_t first, NameAt nameAt,
              const std::string& ticked, const NameRules& rules) {
    for (std::size_t position = first;; ++position) {
        const std::string name = nameAt(position);
        if (name.empty())
            break;
        list->addName(kind, position, name, !ticked.empty() && rules.same(name, ticked));
    }
}

QString fileNameFrom(QString name) {
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("Mireto"));
    return name + QStringLiteral(".ini");
}

} // namespace

CExportDlg::CExportDlg(const SettingsStore& store, const std::string& currentTemplate,
                       QWidget* parent)
    : QDialog(parent), m_store(store) {
    setWindowTitle(uiText(kCaption));
    auto* prompt = new QLabel(uiText(kPrompt));
    prompt->setWordWrap(true);
    m_list = new RecordChecklist({uiText(kNoteColumn)});

    const NameRules rules = listNameRules();
    addNames(
        m_list, RecordKind::OverallTemplate, 0,
        [&](std::size_t at) { return store.GetOverallTemplate(at).name; }, currentTemplate, rules);
    addNames(
        m_list, RecordKind::EndingSet, 1,
        [&](std::size_t at) { return store.GetEndingSet(at).name; }, {}, rules);
    addNames(
        m_list, RecordKind::ReplacementSet, 1,
        [&](std::size_t at) { return store.GetReplacementSet(at).name; }, {}, rules);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_list);
    QHBoxLayout* buttons = makeChooserButtons(this);
    layout->addLayout(buttons);
    m_ok = findChild<QPushButton*>(QStringLiteral("okButton"));

    connect(m_list, &RecordChecklist::ticksChanged, this, [this] {
        // A set the user ticks or unticks while no template brings it is their own tick.
        for (QTreeWidgetItem* item : m_list->names()) {
            if (RecordChecklist::kindOf(item) == RecordKind::OverallTemplate ||
                !(item->flags() & Qt::ItemIsUserCheckable))
                continue;
            if (RecordChecklist::isTicked(item))
                m_ownTicks.insert(item);
            else
                m_ownTicks.erase(item);
        }
        showBroughtSets();
    });
    showBroughtSets();
    m_list->finish();
    resize(qMax(sizeHint().width(), 420), qMax(sizeHint().height(), 400));
}

void CExportDlg::showBroughtSets() {
    std::set<std::size_t> endings;
    std::set<std::size_t> replacements;
    for (QTreeWidgetItem* item : m_list->tickedNames()) {
        if (RecordChecklist::kindOf(item) != RecordKind::OverallTemplate)
            continue;
        const std::size_t position = RecordChecklist::indexOf(item);
        endings.insert(m_store.FindEndingSetIndex(position));
        replacements.insert(m_store.FindReplacementSetIndex(position));
    }
    for (QTreeWidgetItem* item : m_list->names()) {
        const RecordKind kind = RecordChecklist::kindOf(item);
        if (kind == RecordKind::OverallTemplate)
            continue;
        const auto& brought = kind == RecordKind::EndingSet ? endings : replacements;
        const bool byTemplate = brought.count(RecordChecklist::indexOf(item)) != 0;
        m_list->setTicked(item, byTemplate || m_ownTicks.count(item) != 0);
        m_list->setNote(item, 1, byTemplate ? uiText(kBrought) : QString());
        // A brought set cannot be left out.
        m_list->setTickable(item, !byTemplate);
    }
    m_ok->setEnabled(!m_list->tickedNames().empty());
}

ExportRequest CExportDlg::request() const {
    ExportRequest request;
    for (QTreeWidgetItem* item : m_list->tickedNames()) {
        const std::size_t position = RecordChecklist::indexOf(item);
        switch (RecordChecklist::kindOf(item)) {
        case RecordKind::OverallTemplate:
            request.templates.push_back(position);
            break;
        case RecordKind::EndingSet:
            request.endingSets.push_back(position);
            break;
        case RecordKind::ReplacementSet:
            request.replacementSets.push_back(position);
            break;
        }
    }
    return request;
}

QString CExportDlg::suggestedFileName() const {
    const std::vector<QTreeWidgetItem*> ticked = m_list->tickedNames();
    return fileNameFrom(ticked.empty() ? QString() : ticked.front()->text(0));
}

} // namespace mireto
