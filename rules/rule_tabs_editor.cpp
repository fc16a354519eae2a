#include "rules/rule_tabs_editor.h"

#include "widgets/dialog_parts.h"
#include "widgets/dialog_text.h"
#include "widgets/single_line.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace mireto {

namespace {

constexpr std::string_view kRule = "置換";
constexpr std::string_view kAddRule = "置換追加";
constexpr std::string_view kDeleteRule = "置換削除";
constexpr std::string_view kSourcesGroup = "置換候補";
constexpr std::string_view kTargetGroup = "置換後";
constexpr std::string_view kArrow = "→";

} // namespace

RuleTabsEditor::RuleTabsEditor(QWidget* parent) : QWidget(parent) {
    m_tabs = new QTabBar;
    m_tabs->setObjectName(QStringLiteral("ruleTabs"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    connect(m_tabs, &QTabBar::currentChanged, this, &RuleTabsEditor::OnSelchangeTabs);

    auto* sourcesGroup = new QGroupBox(uiText(kSourcesGroup));
    auto* sourcesLayout = new QVBoxLayout(sourcesGroup);
    for (int slot = 0; slot < 4; ++slot) {
        m_sources[slot] = new QLineEdit;
        m_sources[slot]->setObjectName(QStringLiteral("source%1").arg(slot + 1));
        keepSingleLine(m_sources[slot]);
        makeRoomFor(m_sources[slot], fullWidthSample(10));
        sourcesLayout->addWidget(m_sources[slot]);
    }

    auto* targetGroup = new QGroupBox(uiText(kTargetGroup));
    auto* targetLayout = new QVBoxLayout(targetGroup);
    m_target = new QLineEdit;
    m_target->setObjectName(QStringLiteral("target"));
    keepSingleLine(m_target);
    makeRoomFor(m_target, fullWidthSample(10));
    targetLayout->addWidget(m_target);

    m_ruleButton = new QPushButton;
    m_ruleButton->setObjectName(QStringLiteral("ruleButton"));
    m_ruleButton->setAutoDefault(false);
    connect(m_ruleButton, &QPushButton::clicked, this, &RuleTabsEditor::OnRuleButton);

    auto* page = new QFrame;
    page->setFrameShape(QFrame::StyledPanel);
    auto* pageLayout = new QGridLayout(page);
    pageLayout->addWidget(sourcesGroup, 0, 0, 3, 1);
    pageLayout->addWidget(new QLabel(uiText(kArrow)), 1, 1);
    pageLayout->addWidget(targetGroup, 1, 2);
    pageLayout->addWidget(m_ruleButton, 2, 2, Qt::AlignRight | Qt::AlignBottom);

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("ruleList"));
    m_list->setMinimumWidth(fontMetrics().horizontalAdvance(fullWidthSample(10)));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        // Picking a line is picking its tab.
        if (row >= 0 && row != m_selected)
            m_tabs->setCurrentIndex(row);
    });
    for (QLineEdit* box : m_sources)
        connect(box, &QLineEdit::textChanged, this, [this] { updateListLine(m_selected); });
    connect(m_target, &QLineEdit::textChanged, this, [this] { updateListLine(m_selected); });

    auto* tabsAndPage = new QVBoxLayout;
    tabsAndPage->setSpacing(0);
    tabsAndPage->addWidget(m_tabs);
    tabsAndPage->addWidget(page);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addLayout(tabsAndPage, 1);
}

void RuleTabsEditor::showSet(const ReplacementSet& set) {
    m_rules.clear();
    for (std::size_t rule = 0; rule < set.ruleCount(); ++rule) {
        Rule texts;
        for (std::size_t slot = 0; slot < 4; ++slot) {
            texts.storedSources[slot] = StoredText(set.sources[rule][slot]);
            texts.sources[slot] = texts.storedSources[slot].shown();
        }
        texts.storedTarget = StoredText(set.targets[rule]);
        texts.target = texts.storedTarget.shown();
        m_rules.push_back(std::move(texts));
    }
    m_rules.push_back(Rule{});
    buildTabs();
    buildList();
    selectTab(0);
    showSelected();
    updateRuleButton();
}

std::optional<ReplacementSet> RuleTabsEditor::takeRules(const QString& caption) {
    takeSelected();
    ReplacementSet set;
    set.clearRules();
    for (std::size_t rule = 0; rule + 1 < m_rules.size(); ++rule) {
        ReplacementSet::Sources sources;
        for (std::size_t slot = 0; slot < 4; ++slot) {
            std::optional<std::string> source = m_rules[rule].storedSources[slot].bytesFor(
                window(), m_rules[rule].sources[slot], caption);
            if (!source)
                return std::nullopt;
            sources[slot] = std::move(*source);
        }
        std::optional<std::string> target =
            m_rules[rule].storedTarget.bytesFor(window(), m_rules[rule].target, caption);
        if (!target)
            return std::nullopt;
        set.addRule(std::move(sources), std::move(*target));
    }
    return set;
}

void RuleTabsEditor::renewPendingRule() {
    m_rules.back() = Rule{};
}

QString RuleTabsEditor::screenState() const {
    QString state;
    for (std::size_t rule = 0; rule + 1 < m_rules.size(); ++rule) {
        const bool shown = static_cast<int>(rule) == m_selected;
        for (std::size_t slot = 0; slot < 4; ++slot)
            state += (shown ? m_sources[slot]->text() : m_rules[rule].sources[slot]) + QChar(0x1F);
        state += (shown ? m_target->text() : m_rules[rule].target) + QChar(0x1E);
    }
    return state;
}

QString RuleTabsEditor::listLine(int index) const {
    const auto rule = static_cast<std::size_t>(index);
    if (rule + 1 >= m_rules.size())
        return uiText(kAddRule);
    const bool shown = index == m_selected;
    QStringList sources;
    for (std::size_t slot = 0; slot < 4; ++slot) {
        const QString source = shown ? m_sources[slot]->text() : m_rules[rule].sources[slot];
        if (!source.isEmpty())
            sources << source;
    }
    return QStringLiteral("%1. %2 %3 %4")
        .arg(index + 1)
        .arg(sources.join(QStringLiteral("・")), uiText(kArrow),
             shown ? m_target->text() : m_rules[rule].target);
}

void RuleTabsEditor::buildList() {
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (int index = 0; index < static_cast<int>(m_rules.size()); ++index)
        m_list->addItem(listLine(index));
    m_list->setCurrentRow(m_selected);
}

void RuleTabsEditor::updateListLine(int index) {
    if (QListWidgetItem* line = m_list->item(index))
        line->setText(listLine(index));
}

void RuleTabsEditor::buildTabs() {
    const QSignalBlocker blocker(m_tabs);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    for (std::size_t rule = 0; rule + 1 < m_rules.size(); ++rule)
        m_tabs->addTab(uiText(kRule) + QString::number(rule + 1));
    m_tabs->addTab(uiText(kAddRule));
}

void RuleTabsEditor::selectTab(int index) {
    // Selecting a tab from code is not the user's switch of tabs.
    const QSignalBlocker blocker(m_tabs);
    m_tabs->setCurrentIndex(index);
    m_selected = index;
    const QSignalBlocker listBlocker(m_list);
    m_list->setCurrentRow(index);
}

void RuleTabsEditor::showSelected() {
    const Rule& rule = m_rules[static_cast<std::size_t>(m_selected)];
    for (std::size_t slot = 0; slot < 4; ++slot)
        m_sources[slot]->setText(rule.sources[slot]);
    m_target->setText(rule.target);
}

void RuleTabsEditor::takeSelected() {
    Rule& rule = m_rules[static_cast<std::size_t>(m_selected)];
    for (std::size_t slot = 0; slot < 4; ++slot)
        rule.sources[slot] = m_sources[slot]->text();
    rule.target = m_target->text();
}

void RuleTabsEditor::updateRuleButton() {
    const bool onAddTab = m_selected == m_tabs->count() - 1;
    m_ruleButton->setText(uiText(onAddTab ? kAddRule : kDeleteRule));
    // The only numbered rule cannot be deleted.
    m_ruleButton->setEnabled(!(m_tabs->count() == 2 && m_selected == 0));
}

void RuleTabsEditor::OnSelchangeTabs(int index) {
    takeSelected();
    m_selected = index;
    showSelected();
    updateRuleButton();
    const QSignalBlocker blocker(m_list);
    m_list->setCurrentRow(index);
}

void RuleTabsEditor::OnRuleButton() {
    const int addTab = m_tabs->count() - 1;
    if (m_selected == addTab) {
        {
            const QSignalBlocker blocker(m_tabs);
            m_tabs->insertTab(addTab, uiText(kRule) + QString::number(addTab + 1));
        }
        takeSelected();
        m_rules.push_back(Rule{});
        buildList();
        selectTab(addTab);
        updateRuleButton();
        return;
    }
    m_rules.erase(m_rules.begin() + m_selected);
    buildTabs();
    buildList();
    selectTab(m_selected);
    updateRuleButton();
    showSelected();
}

} // namespace mireto
