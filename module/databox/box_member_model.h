#pragma once

#include <QAbstractTableModel>

#include "databox/box_kind.h"

namespace quorstat {
struct tagPLANBIGPDATA;
}

// The member list of a box: one row per child of the root. The first column's check box is the
// row's `enabled`, the 取反 and 容错 cells are checks too; group rows are drawn on their own
// colour.
class BoxMemberModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Column { number, name, position, issue, count, complement, tolerant, verified };

    explicit BoxMemberModel(quorstat::BoxKind kind, QObject* parent = nullptr);

    // The tree changed: everything is drawn again from `root`.
    void redraw(quorstat::tagPLANBIGPDATA* root);
    Column column(int section) const;
    int section(Column column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A check cell was toggled; the node already took it.
    void checksChanged();

private:
    quorstat::tagPLANBIGPDATA* node(const QModelIndex& index) const;
    QString text(const quorstat::tagPLANBIGPDATA& node, int row, Column column) const;

    std::vector<Column> columns_;
    quorstat::tagPLANBIGPDATA* root_ = nullptr;
};
