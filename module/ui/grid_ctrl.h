#pragma once

#include <QTableView>
#include <functional>
#include <vector>

#include "ui/grid_content.h"

class GridModel;

// The toolkit's grid: read-only rows with their colours, a summary row below the body, hidden
// columns, sorting by a click on a header, links, and export to ".xls" and ".txt". A panel builds
// the rows of a reply as GridContent and hands them over in one piece.
class CGridCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CGridCtrl(QWidget* parent = nullptr);

    void SetContent(quorstat::GridContent content);
    const quorstat::GridContent& Content() const;
    void SetColumnHidden(int column, bool hidden);

    // The records (positions in the content as it was handed over) of the selected body rows, in
    // the order shown.
    std::vector<std::size_t> SelectedRecords() const;
    // The records of the body rows in the order shown.
    std::vector<std::size_t> ShownRecords() const;
    // Selects the body rows whose record `pick` accepts, and only those.
    void SelectRecords(const std::function<bool(std::size_t record)>& pick);

    // Writes the grid to a file the user confirms or chooses; `extension` is "txt", "xls" or empty.
    // Every question and message goes through the prompter; false when nothing was written.
    bool Export(const QString& defaultName, const QString& extension);
    // The fixed-width text table of the text export.
    QString GetText(bool withHeader) const;

signals:
    // A double click or Enter on a row.
    void recordActivated(std::size_t record);
    void linkClicked(std::size_t record, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool exportText(const QString& path);
    bool exportSpreadsheet(const QString& path);
    bool confirm(const std::vector<std::string>& questions);
    void showUnfilteredRows();
    void fitColumns();
    void onClicked(const QModelIndex& index);
    void onDoubleClicked(const QModelIndex& index);
    void onEntered(const QModelIndex& index);

    GridModel* model_;
    bool rowsFiltered_ = false;
};
