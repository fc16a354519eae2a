// The rules of a replacement set, shared by the replacement-set editor and chooser: a tab
// per rule and, last, the add tab, behind which the pending rule collects what is typed
// for the next rule; one set of four source boxes and a target box showing the selected
// tab's rule; and the rule button that adds the pending rule or deletes the selected one.
// The working rules are held as typed and become Shift_JIS only when they are stored or
// handed back. However many rules there are, a list beside the tabs shows every one of
// them, its words included, and selects its tab.
#pragma once

#include "settings/records.h"
#include "widgets/stored_text.h"

#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;

namespace mireto {

class RuleTabsEditor : public QWidget {
    Q_OBJECT
public:
    explicit RuleTabsEditor(QWidget* parent = nullptr);

    // Opening and loading a stored set: its rules replace the working rules whole, with
    // an empty pending rule behind the add tab, and the first tab is selected.
    void showSet(const ReplacementSet& set);

    // The working rules with the boxes' texts taken and without the pending rule; nullopt,
    // after a message with `caption`, when a text cannot be stored.
    std::optional<ReplacementSet> takeRules(const QString& caption);

    // After a save: the pending rule starts empty again (the boxes keep their texts).
    void renewPendingRule();

    // Every working rule as typed, the boxes' texts included, as one text: what a
    // save would store.
    QString screenState() const;

private:
    struct Rule {
        std::array<QString, 4> sources;
        QString target;
        // The texts as the set held them, kept while they are left alone.
        std::array<StoredText, 4> storedSources;
        StoredText storedTarget;
    };

    void buildTabs();
    void selectTab(int index);
    void showSelected();
    void takeSelected();
    void updateRuleButton();
    // The list beside the tabs: a line for every rule (its sources and target) and the
    // add tab's, the selected tab's line selected.
    void buildList();
    void updateListLine(int index);
    QString listLine(int index) const;
    void OnSelchangeTabs(int index);
    void OnRuleButton();

    std::vector<Rule> m_rules;
    int m_selected = 0;

    QTabBar* m_tabs = nullptr;
    QListWidget* m_list = nullptr;
    std::array<QLineEdit*, 4> m_sources{};
    QLineEdit* m_target = nullptr;
    QPushButton* m_ruleButton = nullptr;
};

} // namespace mireto
