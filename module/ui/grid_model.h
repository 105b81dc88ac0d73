#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "ui/grid_content.h"

// The grid's rows for a view: prepared content shown in one reset, sorted by the header with the
// summary rows kept last. Every row remembers the record it shows, its position in the content
// as it was given.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    // Takes new content; a sort the user chose applies to it as well.
    void setContent(quorstat::GridContent content);
    const quorstat::GridContent& content() const { return content_; }
    void setColumnHidden(int column, bool hidden);

    std::size_t recordOf(int row) const { return records_[static_cast<std::size_t>(row)]; }
    bool isSummaryRow(int row) const;
    bool isLink(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::string_view cell(const QModelIndex& index) const;
    const quorstat::GridColours* cellColours(const QModelIndex& index) const;
    QVariant colour(const QModelIndex& index,
                    std::optional<quorstat::Rgb> quorstat::GridColours::*which) const;
    // Sorts the content as chosen; returns the row each new position came from.
    std::vector<std::size_t> applySort();

    quorstat::GridContent content_;
    std::vector<std::size_t> records_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};
