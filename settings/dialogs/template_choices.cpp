#include "settings/dialogs/template_choices.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/sjis_qstring.h"
#include "widgets/template_list.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kGroup = // 各テンプレート選択
    "\x8A"
    "e\x83"
    "e\x83\x93\x83v\x83\x8C\x81[\x83g\x91I\x91\xF0";
constexpr std::string_view kReplacementLabel = "\x92u\x8A\xB7"; // 置換
constexpr std::string_view kEndingLabel = "\x8C\xEA\x94\xF6";   // 語尾

// Lists of store entries from position 0, each with a name field.
TemplateList* makeList(const QString& objectName) {
    auto* list = new TemplateList(0);
    list->setObjectName(objectName);
    return list;
}

} // namespace

TemplateChoices::TemplateChoices(QWidget* parent) : QWidget(parent) {
    m_replacements = makeList(QStringLiteral("replacementList"));
    m_endings = makeList(QStringLiteral("endingList"));
    m_formats = makeList(QStringLiteral("formatList"));

    auto* group = new QGroupBox(uiText(kGroup));
    auto* rows = new QVBoxLayout(group);
    rows->addLayout(makeLabelledRow(m_replacements, kReplacementLabel, LabelSide::Right));
    rows->addLayout(makeLabelledRow(m_endings, kEndingLabel, LabelSide::Right));
    rows->addLayout(makeLabelledRow(m_formats, "HTML", LabelSide::Right));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
}

void TemplateChoices::fill(const SettingsStore& store) {
    m_replacements->fill([&store](std::size_t at) { return store.GetReplacementSet(at).name; });
    m_endings->fill([&store](std::size_t at) { return store.GetEndingSet(at).name; });
    m_formats->fill([&store](std::size_t at) { return store.GetFormatName(at); });
}

void TemplateChoices::showNames(const OverallTemplate& overall) {
    m_endings->selectStored(overall.endingSetName);
    m_formats->selectStored(overall.formatName);
    m_replacements->selectStored(overall.replacementSetName);
}

void TemplateChoices::follow(const SettingsStore& store, std::size_t position) {
    m_replacements->select(static_cast<int>(store.FindReplacementSetIndex(position)));
    m_endings->select(static_cast<int>(store.FindEndingSetIndex(position)));
    m_formats->selectExact(fromSjis(store.GetOverallTemplate(position).formatName));
    for (TemplateList* list : {m_replacements, m_endings, m_formats})
        list->forgetStored();
}

bool TemplateChoices::collectInto(OverallTemplate& overall, const QString& caption) {
    std::optional<std::string> ending = m_endings->fieldBytes(caption);
    if (!ending)
        return false;
    std::optional<std::string> replacement = m_replacements->fieldBytes(caption);
    if (!replacement)
        return false;
    std::optional<std::string> format = m_formats->fieldBytes(caption);
    if (!format)
        return false;
    overall.endingSetName = std::move(*ending);
    overall.replacementSetName = std::move(*replacement);
    overall.formatName = std::move(*format);
    return true;
}

std::size_t TemplateChoices::selectedEndingSet() const {
    return m_endings->selectedPosition();
}

std::size_t TemplateChoices::selectedReplacementSet() const {
    return m_replacements->selectedPosition();
}

} // namespace mireto
