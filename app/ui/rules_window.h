#pragma once

#include "app/core/record/panel_fields.h"
#include "lsystem/rules/command_set.h"

#include <QWidget>

#include <array>
#include <cstddef>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace app {

// The "Rules" tool window of the control panel: every rule of the L-system, a row each of
// symbol, weight and replacement, numbered as Draw's rule errors number them. Rows 1 and 2 are
// the panel's F and G fields: only their replacements can be edited, here or on the panel, and
// each shows the other's typing at once. The rows after them are the more rules, which the
// window adds, edits and removes. Every row is checked as it changes: a faulty row is marked
// and the first fault is told under the table, but what the user typed stays as typed. Above the
// table, a line says when the word is read with Fractint's commands, with a button back to the
// panel's.
class RulesWindow : public QWidget {
    Q_OBJECT

public:
    RulesWindow(QLineEdit& ruleF, QLineEdit& ruleG, QWidget& panel);

    std::vector<RuleText> moreRules() const;
    void SetMoreRules(const std::vector<RuleText>& rules);
    // Shows or hides the line about Fractint's commands.
    void ShowCommands(lsystem::CommandSet commands);
    // Selects the row of that number (from 1), as a RuleError names it.
    void SelectRow(std::size_t row);

signals:
    // The user has added, edited or removed a more rule.
    void moreRulesEdited();
    // The user has asked for the panel's commands in place of Fractint's.
    void panelCommandsChosen();

private:
    void AddFieldRow(const char* symbol, const QLineEdit& edit);
    void SetRow(int row, const RuleText& rule);
    RuleText RuleAt(int row) const;
    void CellEdited(const QTableWidgetItem* cell);
    void AddRule();
    void RemoveSelectedRules();
    void EnableRemove();
    void ShowFaults();
    void PlaceBeside(const QWidget& panel);

    std::array<QLineEdit*, 2> m_fieldEdits; // F's and G's, in the order of their rows
    QWidget* m_commandsLine; // shown while the word is read with Fractint's commands
    QTableWidget* m_table;
    QLabel* m_faultLine;
    QPushButton* m_add;
    QPushButton* m_remove;
    lsystem::CommandSet m_commands = lsystem::CommandSet::Panel;
};

} // namespace app
