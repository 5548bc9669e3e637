#include "app/ui/rules_window.h"

#include "app/core/record/rule_notation.h"
#include "app/core/record/rule_text.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

enum Column { SymbolColumn, WeightColumn, ReplacementColumn, ColumnCount };

// The table's rows count from 0, the rules' numbers from 1.
constexpr int firstMoreRow = static_cast<int>(FirstMoreRuleRow) - 1;

// The table shows at least this many rules however small the window.
constexpr int MinimumShownRows = 6;

QString WeightHelp()
{
    return QStringLiteral(
        "The F and G fields' rules weigh 1. Each of a symbol's alternatives is chosen with "
        "probability weight / sum of the symbol's weights, drawn with the figure's seed.");
}

// A cell of a row with a fault is red and tells the fault; a weight also tells what it means.
void MarkCell(QTableWidgetItem& cell, const QString& fault)
{
    cell.setData(Qt::BackgroundRole, fault.isEmpty() ? QVariant() : QBrush(QColor(255, 200, 200)));
    QStringList tip;
    if (!fault.isEmpty())
        tip << fault;
    if (cell.column() == WeightColumn)
        tip << WeightHelp();
    cell.setToolTip(tip.join(QStringLiteral("\n")));
}

// What reading the word with Fractint's commands means, in short.
QString FractintCommandsNote()
{
    return QStringLiteral(
        "This L-system uses Fractint's commands: F and D draw a step, G and M move without "
        "drawing, [ ] branch, + and - turn by 360/n degrees, | turns around; the panel's random "
        "amplitude and its preset's turn and pen do not apply.");
}

} // namespace

RulesWindow::RulesWindow(QLineEdit& ruleF, QLineEdit& ruleG, QWidget& panel)
    : QWidget(&panel, Qt::Tool)
    , m_fieldEdits { &ruleF, &ruleG }
    , m_commandsLine(new QWidget(this))
    , m_table(new QTableWidget(0, ColumnCount, this))
    , m_faultLine(new QLabel(this))
    , m_add(new QPushButton(QStringLiteral("Add Rule"), this))
    , m_remove(new QPushButton(QStringLiteral("Remove Rule"), this))
{
    setObjectName(QStringLiteral("Rules"));
    setWindowTitle(QStringLiteral("Rules"));

    m_table->setObjectName(QStringLiteral("RuleTable"));
    m_table->setHorizontalHeaderLabels(
        { QStringLiteral("Symbol"), QStringLiteral("Weight"), QStringLiteral("Replacement") });
    m_table->horizontalHeaderItem(WeightColumn)->setToolTip(WeightHelp());
    QHeaderView* columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(SymbolColumn, QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(WeightColumn, QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(ReplacementColumn, QHeaderView::Stretch);
    // Room for several rules at any size of the window.
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height()
        + MinimumShownRows * m_table->verticalHeader()->defaultSectionSize()
        + 2 * m_table->frameWidth());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    AddFieldRow("F", ruleF);
    AddFieldRow("G", ruleG);

    m_faultLine->setObjectName(QStringLiteral("RuleFault"));
    m_faultLine->setTextFormat(Qt::PlainText);
    m_faultLine->setWordWrap(true);
    QPalette warning = m_faultLine->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    m_faultLine->setPalette(warning);
    m_add->setObjectName(QStringLiteral("AddRule"));
    m_remove->setObjectName(QStringLiteral("RemoveRule"));
    m_remove->setEnabled(false);

    auto* note = new QLabel(FractintCommandsNote(), m_commandsLine);
    note->setWordWrap(true);
    auto* panelCommands
        = new QPushButton(QStringLiteral("Use the Panel's Commands"), m_commandsLine);
    panelCommands->setObjectName(QStringLiteral("UsePanelCommands"));
    auto* commandsLayout = new QHBoxLayout(m_commandsLine);
    commandsLayout->setContentsMargins(0, 0, 0, 0);
    commandsLayout->addWidget(note, 1);
    commandsLayout->addWidget(panelCommands);
    m_commandsLine->setObjectName(QStringLiteral("FractintCommands"));
    m_commandsLine->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_commandsLine);
    layout->addWidget(m_table);
    layout->addWidget(m_faultLine);
    layout->addLayout(buttons);

    connect(m_table, &QTableWidget::itemChanged, this, &RulesWindow::CellEdited);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &RulesWindow::EnableRemove);
    connect(panelCommands, &QPushButton::clicked, this, &RulesWindow::panelCommandsChosen);
    connect(m_add, &QPushButton::clicked, this, &RulesWindow::AddRule);
    connect(m_remove, &QPushButton::clicked, this, &RulesWindow::RemoveSelectedRules);
    PlaceBeside(panel);
}

void RulesWindow::ShowCommands(lsystem::CommandSet commands)
{
    m_commands = commands;
    m_commandsLine->setVisible(commands == lsystem::CommandSet::Fractint);
    ShowFaults();
    // The window grows to show the note whole at its width: a wrapped label's height depends on
    // its width, which the window's size hint does not take into account.
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : sizeHint().height();
    if (needed > height())
        resize(width(), needed);
}

void RulesWindow::AddFieldRow(const char* symbol, const QLineEdit& edit)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    // The field's symbol and weight cannot be edited, and are grey to show it.
    const auto fixedCell = [this](const QString& text) {
        auto* cell = new QTableWidgetItem(text);
        cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        cell->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        return cell;
    };
    m_table->setItem(row, SymbolColumn, fixedCell(QLatin1String(symbol)));
    QTableWidgetItem* weight = fixedCell(QStringLiteral("1"));
    weight->setToolTip(WeightHelp());
    m_table->setItem(row, WeightColumn, weight);
    m_table->setItem(row, ReplacementColumn, new QTableWidgetItem(edit.text()));
    connect(&edit, &QLineEdit::textChanged, this, [this, row](const QString& text) {
        const QSignalBlocker quiet(m_table);
        m_table->item(row, ReplacementColumn)->setText(text);
        ShowFaults();
    });
}

// Below the panel, where it covers neither the panel nor the plane, kept on the screen.
void RulesWindow::PlaceBeside(const QWidget& panel)
{
    QRect place(panel.frameGeometry().bottomLeft() + QPoint(0, 1),
        QSize(panel.width(), panel.height() / 2));
    const QRect screen = panel.screen()->availableGeometry();
    if (place.bottom() > screen.bottom())
        place.moveBottom(screen.bottom());
    setGeometry(place);
}

void RulesWindow::SetRow(int row, const RuleText& rule)
{
    const auto cell = [](const std::string& text) {
        return new QTableWidgetItem(QString::fromStdString(text));
    };
    m_table->setItem(row, SymbolColumn, cell(rule.symbol));
    m_table->setItem(row, WeightColumn, cell(rule.weight));
    m_table->setItem(row, ReplacementColumn, cell(rule.replacement));
}

RuleText RulesWindow::RuleAt(int row) const
{
    const auto text = [&](int column) { return m_table->item(row, column)->text().toStdString(); };
    return { text(SymbolColumn), text(WeightColumn), text(ReplacementColumn) };
}

std::vector<RuleText> RulesWindow::moreRules() const
{
    std::vector<RuleText> rules;
    for (int row = firstMoreRow; row < m_table->rowCount(); ++row)
        rules.push_back(RuleAt(row));
    return rules;
}

void RulesWindow::SetMoreRules(const std::vector<RuleText>& rules)
{
    {
        const QSignalBlocker quiet(m_table);
        m_table->setRowCount(firstMoreRow + static_cast<int>(rules.size()));
        for (std::size_t at = 0; at < rules.size(); ++at)
            SetRow(firstMoreRow + static_cast<int>(at), rules[at]);
    }
    ShowFaults();
    EnableRemove();
}

void RulesWindow::CellEdited(const QTableWidgetItem* cell)
{
    if (cell->row() < firstMoreRow) {
        m_fieldEdits[static_cast<std::size_t>(cell->row())]->setText(cell->text());
        return;
    }
    ShowFaults();
    emit moreRulesEdited();
}

void RulesWindow::AddRule()
{
    const int row = m_table->rowCount();
    {
        const QSignalBlocker quiet(m_table);
        m_table->insertRow(row);
        SetRow(row, RuleText {});
    }
    ShowFaults();
    emit moreRulesEdited();
    m_table->setCurrentCell(row, SymbolColumn);
    m_table->editItem(m_table->item(row, SymbolColumn));
}

void RulesWindow::RemoveSelectedRules()
{
    std::vector<int> rows;
    for (const QModelIndex& selected : m_table->selectionModel()->selectedRows()) {
        if (selected.row() >= firstMoreRow)
            rows.push_back(selected.row());
    }
    std::sort(rows.rbegin(), rows.rend());
    for (const int row : rows)
        m_table->removeRow(row);
    ShowFaults();
    emit moreRulesEdited();
}

// The F and G rows are the panel's fields and cannot be removed.
void RulesWindow::EnableRemove()
{
    const QModelIndexList selected = m_table->selectionModel()->selectedRows();
    m_remove->setEnabled(std::any_of(selected.begin(), selected.end(),
        [](const QModelIndex& row) { return row.row() >= firstMoreRow; }));
}

void RulesWindow::ShowFaults()
{
    const QSignalBlocker quiet(m_table);
    QString first;
    for (int row = firstMoreRow; row < m_table->rowCount(); ++row) {
        const std::optional<std::string> fault = RuleFault(RuleAt(row));
        const QString text = fault ? QString::fromStdString(*fault) : QString();
        for (int column = 0; column < ColumnCount; ++column)
            MarkCell(*m_table->item(row, column), text);
        if (fault && first.isEmpty())
            first = QStringLiteral("Row %1: %2").arg(QString::number(row + 1), text);
    }
    // A replacement in another notation than the commands' is drawn as it stands, but said.
    for (int row = 0; row < m_table->rowCount() && first.isEmpty(); ++row) {
        const QString word = m_table->item(row, ReplacementColumn)->text();
        if (const auto hint = NotationHint(word.toStdString(), m_commands))
            first = QStringLiteral("Row %1: %2")
                        .arg(QString::number(row + 1), QString::fromStdString(*hint));
    }
    m_faultLine->setText(first);
}

void RulesWindow::SelectRow(std::size_t row)
{
    if (row == 0 || row > static_cast<std::size_t>(m_table->rowCount()))
        return;
    const int at = static_cast<int>(row) - 1;
    m_table->setCurrentCell(
        at, SymbolColumn, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollToItem(m_table->item(at, SymbolColumn));
}

} // namespace app
