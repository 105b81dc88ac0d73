#include "ui/grid_ctrl.h"

#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <algorithm>

#include "core/text_codec.h"
#include "ui/grid_export.h"
#include "ui/grid_model.h"
#include "ui/grid_text.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"
#include "ui/wait_cursor.h"

namespace {

// The main window's colours: warm paper, dark blue text, brown rules.
const QString kStyleSheet = QStringLiteral(
    "QTableView { color: #1d2b5c; background: #fffdf8; alternate-background-color: #faf5ea;"
    "  gridline-color: #e4d9c0; border: 1px solid #c2b28f;"
    "  selection-background-color: #34508d; selection-color: white; }"
    "QHeaderView::section { color: #1d2b5c; font-weight: bold; padding: 3px 6px;"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffdf8, stop:1 #e9dfc8);"
    "  border: none; border-right: 1px solid #c2b28f; border-bottom: 1px solid #c2b28f; }");

// Fitting the columns measures this many rows besides the visible ones, so a fill stays quick.
constexpr int kMeasuredRows = 50;

// The row with the column's longest text in bytes, a cheap stand-in for the widest one.
int longestRow(const quorstat::GridContent& content, std::size_t column) {
    int longest = 0;
    std::size_t size = 0;
    for (std::size_t row = 0; row < content.rows.size(); ++row) {
        if (content.rows[row].cell(column).size() > size) {
            size = content.rows[row].cell(column).size();
            longest = static_cast<int>(row);
        }
    }
    return longest;
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

CGridCtrl::CGridCtrl(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
    setModel(model_);
    setStyleSheet(kStyleSheet);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setMouseTracking(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setResizeContentsPrecision(kMeasuredRows);
    // No order until the user clicks a header: rows stay as the service sent them.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    connect(model_, &QAbstractItemModel::layoutChanged, this, &CGridCtrl::showUnfilteredRows);
    connect(this, &QAbstractItemView::clicked, this, &CGridCtrl::onClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, &CGridCtrl::onDoubleClicked);
    connect(this, &QAbstractItemView::entered, this, &CGridCtrl::onEntered);
}

void CGridCtrl::SetContent(quorstat::GridContent content) {
    model_->setContent(std::move(content));
    const auto& columns = model_->content().columns;
    for (std::size_t column = 0; column < columns.size(); ++column)
        setColumnHidden(static_cast<int>(column), columns[column].hidden);
    showUnfilteredRows();
    fitColumns();
}

const quorstat::GridContent& CGridCtrl::Content() const {
    return model_->content();
}

void CGridCtrl::SetColumnHidden(int column, bool hidden) {
    model_->setColumnHidden(column, hidden);
    setColumnHidden(column, hidden);
}

std::vector<std::size_t> CGridCtrl::SelectedRecords() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<std::size_t> records;
    for (const QModelIndex& index : rows)
        if (!model_->isSummaryRow(index.row()))
            records.push_back(model_->recordOf(index.row()));
    return records;
}

std::vector<std::size_t> CGridCtrl::ShownRecords() const {
    std::vector<std::size_t> records;
    for (int row = 0; row < model_->rowCount(); ++row)
        if (!model_->isSummaryRow(row))
            records.push_back(model_->recordOf(row));
    return records;
}

void CGridCtrl::SelectRecords(const std::function<bool(std::size_t record)>& pick) {
    QItemSelection selection;
    for (int row = 0; row < model_->rowCount(); ++row)
        if (!model_->isSummaryRow(row) && pick(model_->recordOf(row)))
            selection.select(model_->index(row, 0), model_->index(row, model_->columnCount() - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

bool CGridCtrl::Export(const QString& defaultName, const QString& extension) {
    const quorstat::ExportFileChoice choice =
        quorstat::ChooseExportFile(defaultName.toStdString(), extension.toStdString());
    QString path = defaultName;
    if (choice.askUser) {
        QStringList filters;
        for (const std::string& filter : choice.filters)
            filters << toQString(filter);
        path = Prompter::instance().saveFileName(this, QString(), defaultName,
                                                 filters.join(QStringLiteral(";;")),
                                                 toQString(choice.defaultSuffix));
        if (path.isEmpty())
            return false;
    }
    if (quorstat::ExportFormatOf(path.toStdString(), extension.toStdString()) ==
        quorstat::ExportFormat::Text)
        return exportText(path);
    return exportSpreadsheet(path);
}

QString CGridCtrl::GetText(bool withHeader) const {
    return toQString(quorstat::FromAnsi(quorstat::GridText(model_->content(), withHeader)));
}

bool CGridCtrl::exportText(const QString& path) {
    const bool written = [&] {
        WaitCursor wait;
        return quorstat::ExportText(localPath(path), model_->content());
    }();
    if (!written)
        Prompter::instance().message(this, toQString(quorstat::kExportFailedMessage));
    return written;
}

bool CGridCtrl::exportSpreadsheet(const QString& path) {
    const quorstat::SpreadsheetPlan plan = quorstat::PlanSpreadsheet(model_->content());
    if (!confirm(plan.questions))
        return false;
    const quorstat::ExportOutcome outcome = [&] {
        WaitCursor wait;
        return quorstat::ExportSpreadsheet(localPath(path), model_->content(), plan);
    }();
    if (!outcome.written) {
        Prompter::instance().message(this, toQString(quorstat::kExportFailedMessage));
        return false;
    }
    if (outcome.cutCells > 0)
        Prompter::instance().message(this, toQString(quorstat::CutCellsMessage(outcome.cutCells)));
    return true;
}

bool CGridCtrl::confirm(const std::vector<std::string>& questions) {
    for (const std::string& question : questions) {
        const auto answer = Prompter::instance().message(
            this, toQString(question), Prompter::defaultCaption(), Prompter::Icon::Question,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    return true;
}

void CGridCtrl::showUnfilteredRows() {
    const auto& rows = model_->content().rows;
    const bool anyFiltered =
        std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row.filteredOut; });
    if (!anyFiltered && !rowsFiltered_)
        return;
    for (std::size_t row = 0; row < rows.size(); ++row)
        setRowHidden(static_cast<int>(row), rows[row].filteredOut);
    rowsFiltered_ = anyFiltered;
}

// Qt measures the visible rows and a sample; each column's longest text and the summary rows (in
// bold) are measured as well, so neither a long text far down the list nor a total is cut.
void CGridCtrl::fitColumns() {
    resizeColumnsToContents();
    const quorstat::GridContent& content = model_->content();
    const int gridLine = showGrid() ? 1 : 0;
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (isColumnHidden(column))
            continue;
        std::vector<int> rows = {longestRow(content, static_cast<std::size_t>(column))};
        for (int row = static_cast<int>(content.bodyRows()); row < model_->rowCount(); ++row)
            rows.push_back(row);
        int width = columnWidth(column);
        for (const int row : rows)
            width =
                std::max(width, sizeHintForIndex(model_->index(row, column)).width() + gridLine);
        setColumnWidth(column, width);
    }
}

void CGridCtrl::onClicked(const QModelIndex& index) {
    if (model_->isLink(index))
        emit linkClicked(model_->recordOf(index.row()), index.column());
}

void CGridCtrl::onDoubleClicked(const QModelIndex& index) {
    if (index.isValid() && !model_->isSummaryRow(index.row()))
        emit recordActivated(model_->recordOf(index.row()));
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid())
        onDoubleClicked(currentIndex());
    else
        QTableView::keyPressEvent(event);
}

void CGridCtrl::onEntered(const QModelIndex& index) {
    viewport()->setCursor(model_->isLink(index) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}
