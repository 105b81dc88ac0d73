#include "plan/calculator_table_model.h"

#include "ui/qt_text.h"

int CalculatorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CalculatorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(quorstat::kCalculatorColumns.size());
}

QVariant CalculatorTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return toQString(row.cells[static_cast<std::size_t>(index.column())]);
        case Qt::TextAlignmentRole:
            return index.column() <= quorstat::ColIssue
                       ? QVariant(Qt::AlignCenter)
                       : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant CalculatorTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    return toQString(quorstat::kCalculatorColumns[static_cast<std::size_t>(section)]);
}

void CalculatorTableModel::setRows(std::vector<quorstat::MultipleRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}
