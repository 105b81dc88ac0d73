#include "ui/grid_model.h"

#include <QColor>
#include <QFont>
#include <numeric>

#include "ui/grid_sort.h"
#include "ui/qt_text.h"

namespace {

using quorstat::GridColours;
using quorstat::Rgb;

// The totals below the body stand out from it in the main window's warm tones.
const QColor kSummaryBackground(0xEF, 0xE6, 0xD2);
const QColor kLinkColour(0x1D, 0x4E, 0xD8);

QColor fromRgb(Rgb rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setContent(quorstat::GridContent content) {
    beginResetModel();
    content_ = std::move(content);
    records_.resize(content_.rows.size());
    std::iota(records_.begin(), records_.end(), std::size_t{0});
    if (sortColumn_ >= columnCount())
        sortColumn_ = -1;
    applySort();
    endResetModel();
}

void GridModel::setColumnHidden(int column, bool hidden) {
    if (column >= 0 && column < columnCount())
        content_.columns[static_cast<std::size_t>(column)].hidden = hidden;
}

bool GridModel::isSummaryRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) >= content_.bodyRows() && row < rowCount();
}

bool GridModel::isLink(const QModelIndex& index) const {
    return index.isValid() && content_.columns[static_cast<std::size_t>(index.column())].link &&
           !isSummaryRow(index.row()) && !cell(index).empty();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(content_.rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(content_.columns.size());
}

std::string_view GridModel::cell(const QModelIndex& index) const {
    return content_.rows[static_cast<std::size_t>(index.row())].cell(
        static_cast<std::size_t>(index.column()));
}

const GridColours* GridModel::cellColours(const QModelIndex& index) const {
    const auto& colours = content_.rows[static_cast<std::size_t>(index.row())].cellColours;
    const auto column = static_cast<std::size_t>(index.column());
    return column < colours.size() ? &colours[column] : nullptr;
}

QVariant GridModel::colour(const QModelIndex& index, std::optional<Rgb> GridColours::*which) const {
    if (const GridColours* own = cellColours(index); own && own->*which)
        return fromRgb(*(own->*which));
    const GridColours& row = content_.rows[static_cast<std::size_t>(index.row())].colours;
    if (row.*which)
        return fromRgb(*(row.*which));
    return {};
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return toQString(cell(index));
        case Qt::ForegroundRole: {
            QVariant own = colour(index, &GridColours::text);
            if (!own.isValid() && isLink(index))
                return kLinkColour;
            return own;
        }
        case Qt::BackgroundRole: {
            QVariant own = colour(index, &GridColours::background);
            if (!own.isValid() && isSummaryRow(index.row()))
                return kSummaryBackground;
            return own;
        }
        case Qt::FontRole: {
            if (!isSummaryRow(index.row()) && !isLink(index))
                return {};
            QFont font;
            font.setBold(isSummaryRow(index.row()));
            font.setUnderline(isLink(index));
            return font;
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !content_.hasHeader ||
        section < 0 || section >= columnCount())
        return {};
    return toQString(content_.columns[static_cast<std::size_t>(section)].name);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridModel::sort(int column, Qt::SortOrder order) {
    sortColumn_ = column >= 0 && column < columnCount() ? column : -1;
    sortOrder_ = order;
    if (sortColumn_ < 0)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<std::size_t> from = applySort();
    std::vector<int> newRow(from.size());
    for (std::size_t row = 0; row < from.size(); ++row)
        newRow[from[row]] = static_cast<int>(row);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(newRow[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<std::size_t> GridModel::applySort() {
    if (sortColumn_ < 0)
        return {};
    const std::vector<std::size_t> from = quorstat::SortGridRows(
        content_, static_cast<std::size_t>(sortColumn_), sortOrder_ == Qt::AscendingOrder);
    std::vector<std::size_t> records(from.size());
    for (std::size_t row = 0; row < from.size(); ++row)
        records[row] = records_[from[row]];
    records_ = std::move(records);
    return from;
}
