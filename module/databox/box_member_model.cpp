#include "databox/box_member_model.h"

#include <QBrush>
#include <QFont>

#include "databox/plan_bigp_data.h"
#include "ui/qt_text.h"

namespace {

using Column = BoxMemberModel::Column;
using quorstat::tagPLANBIGPDATA;

const QColor kGroupBackground(250, 236, 200);

QString columnTitle(Column column) {
    switch (column) {
        case Column::number:
            return QStringLiteral("序号");
        case Column::name:
            return QStringLiteral("名称");
        case Column::position:
            return QStringLiteral("位置");
        case Column::issue:
            return QStringLiteral("期号");
        case Column::count:
            return QStringLiteral("注数");
        case Column::complement:
            return QStringLiteral("取反");
        case Column::tolerant:
            return QStringLiteral("容错");
        case Column::verified:
            return QStringLiteral("验证");
    }
    return {};
}

QString verifiedText(std::int32_t state) {
    if (state == 1)
        return QStringLiteral("√");
    if (state == 2)
        return QStringLiteral("х");
    return QStringLiteral("-");
}

// The check a cell shows, or nothing for a cell without one.
std::optional<bool> checkOf(const tagPLANBIGPDATA& node, Column column) {
    switch (column) {
        case Column::number:
            return node.enabled == 1;
        case Column::complement:
            return node.positive == 0;
        case Column::tolerant:
            return node.tolerant == 1;
        default:
            return std::nullopt;
    }
}

}  // namespace

BoxMemberModel::BoxMemberModel(quorstat::BoxKind kind, QObject* parent)
    : QAbstractTableModel(parent) {
    if (kind == quorstat::BoxKind::bigBase)
        columns_ = {Column::number, Column::name,       Column::position, Column::issue,
                    Column::count,  Column::complement, Column::tolerant, Column::verified};
    else
        columns_ = {Column::number,     Column::name,     Column::position,
                    Column::complement, Column::tolerant, Column::verified};
}

void BoxMemberModel::redraw(tagPLANBIGPDATA* root) {
    beginResetModel();
    root_ = root;
    endResetModel();
}

BoxMemberModel::Column BoxMemberModel::column(int section) const {
    return columns_.at(static_cast<std::size_t>(section));
}

int BoxMemberModel::section(Column column) const {
    const auto it = std::ranges::find(columns_, column);
    return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

int BoxMemberModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !root_ ? 0 : static_cast<int>(root_->children.size());
}

int BoxMemberModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

tagPLANBIGPDATA* BoxMemberModel::node(const QModelIndex& index) const {
    if (!index.isValid() || !root_ || index.row() >= rowCount())
        return nullptr;
    return root_->children[static_cast<std::size_t>(index.row())].get();
}

QString BoxMemberModel::text(const tagPLANBIGPDATA& node, int row, Column column) const {
    switch (column) {
        case Column::number:
            return QString::number(row + 1);
        case Column::name:
            return toQString(node.name);
        case Column::position:
            return toQString(node.positionShown);
        case Column::issue:
            return node.group() ? QStringLiteral("-") : QString::number(node.issue);
        case Column::count:
            return QString::number(node.group() ? static_cast<qsizetype>(node.children.size())
                                                : node.betCount);
        case Column::verified:
            return verifiedText(node.verifyState);
        case Column::complement:
        case Column::tolerant:
            return {};
    }
    return {};
}

QVariant BoxMemberModel::data(const QModelIndex& index, int role) const {
    const tagPLANBIGPDATA* shown = node(index);
    if (!shown)
        return {};
    const Column col = column(index.column());
    switch (role) {
        case Qt::DisplayRole:
            return text(*shown, index.row(), col);
        case Qt::CheckStateRole:
            if (const auto checked = checkOf(*shown, col))
                return *checked ? Qt::Checked : Qt::Unchecked;
            return {};
        case Qt::BackgroundRole:
            return shown->group() ? QVariant(QBrush(kGroupBackground)) : QVariant();
        case Qt::FontRole:
            if (shown->group() && col == Column::name) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::TextAlignmentRole:
            return col == Column::name ? QVariant() : QVariant(Qt::AlignCenter);
        default:
            return {};
    }
}

QVariant BoxMemberModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    return columnTitle(column(section));
}

Qt::ItemFlags BoxMemberModel::flags(const QModelIndex& index) const {
    const tagPLANBIGPDATA* shown = node(index);
    if (!shown)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (checkOf(*shown, column(index.column())))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool BoxMemberModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    tagPLANBIGPDATA* edited = node(index);
    if (!edited || role != Qt::CheckStateRole || !checkOf(*edited, column(index.column())))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    switch (column(index.column())) {
        case Column::number:
            edited->enabled = checked ? 1 : 0;
            break;
        case Column::complement:
            edited->positive = checked ? 0 : 1;
            break;
        case Column::tolerant:
            edited->tolerant = checked ? 1 : 0;
            break;
        default:
            return false;
    }
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checksChanged();
    return true;
}
