#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "plan/calculator.h"

// The calculator's table of issues and multiples, as the plan form shows it.
class CalculatorTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Replaces every row in one reset, so the view redraws once.
    void setRows(std::vector<quorstat::MultipleRow> rows);
    const std::vector<quorstat::MultipleRow>& rows() const { return rows_; }

private:
    std::vector<quorstat::MultipleRow> rows_;
};
