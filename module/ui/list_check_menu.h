#pragma once

#include <QMenu>
#include <vector>

#include "ui/check_commands.h"

class QAbstractItemView;

// The check menu of any list whose rows carry a check cell: "全勾选", "反勾选", "全不勾选",
// "勾选奇数行", "勾选偶数行" and "选中勾选行". Rows whose cell cannot be checked (a summary row)
// are left out and not counted.
class ListCheckMenu : public QMenu {
    Q_OBJECT
public:
    ListCheckMenu(QAbstractItemView* view, int checkColumn);

    // Makes the menu the view's context menu.
    static ListCheckMenu* attach(QAbstractItemView* view, int checkColumn = 0);

    void apply(quorstat::CheckCommand command);
    void selectChecked();

private:
    std::vector<int> checkableRows() const;

    QAbstractItemView* view_;
    int checkColumn_;
};
