#include "ui/list_check_menu.h"

#include <QAbstractItemView>
#include <QItemSelection>

#include "ui/qt_text.h"

namespace {

using quorstat::CheckCommand;

bool isChecked(const QModelIndex& index) {
    return index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

constexpr CheckCommand kCommands[] = {CheckCommand::All, CheckCommand::Invert, CheckCommand::None,
                                      CheckCommand::OddRows, CheckCommand::EvenRows};

}  // namespace

ListCheckMenu::ListCheckMenu(QAbstractItemView* view, int checkColumn)
    : QMenu(view), view_(view), checkColumn_(checkColumn) {
    for (const CheckCommand command : kCommands)
        addAction(toQString(quorstat::CheckCommandText(command)), this,
                  [this, command] { apply(command); });
    addSeparator();
    addAction(toQString(quorstat::kSelectCheckedText), this, &ListCheckMenu::selectChecked);
}

ListCheckMenu* ListCheckMenu::attach(QAbstractItemView* view, int checkColumn) {
    auto* menu = new ListCheckMenu(view, checkColumn);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, menu,
            [menu, view](const QPoint& at) { menu->popup(view->viewport()->mapToGlobal(at)); });
    return menu;
}

std::vector<int> ListCheckMenu::checkableRows() const {
    std::vector<int> rows;
    const QAbstractItemModel* model = view_->model();
    for (int row = 0; row < model->rowCount(view_->rootIndex()); ++row)
        if (model->flags(model->index(row, checkColumn_, view_->rootIndex())) &
            Qt::ItemIsUserCheckable)
            rows.push_back(row);
    return rows;
}

void ListCheckMenu::apply(CheckCommand command) {
    QAbstractItemModel* model = view_->model();
    const std::vector<int> rows = checkableRows();
    std::vector<bool> checked;
    checked.reserve(rows.size());
    for (const int row : rows)
        checked.push_back(isChecked(model->index(row, checkColumn_, view_->rootIndex())));
    const std::vector<bool> wanted = quorstat::ApplyCheckCommand(command, checked);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (wanted[i] != checked[i])
            model->setData(model->index(rows[i], checkColumn_, view_->rootIndex()),
                           wanted[i] ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void ListCheckMenu::selectChecked() {
    const QAbstractItemModel* model = view_->model();
    QItemSelection selection;
    for (const int row : checkableRows()) {
        const QModelIndex index = model->index(row, checkColumn_, view_->rootIndex());
        if (isChecked(index))
            selection.select(index, index);
    }
    view_->selectionModel()->select(
        selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
