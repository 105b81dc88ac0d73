#include "ui/grid_export.h"

#include <algorithm>

#include "core/ascii_case.h"
#include "core/atomic_file.h"
#include "ui/grid_text.h"
#include "ui/xls_file.h"

namespace quorstat {
namespace {

constexpr std::string_view kTextFilter = "文本文件(*.txt)";
constexpr std::string_view kSpreadsheetFilter = "EXCEL文件(*.xls)";
constexpr std::string_view kSheetName = "sheet";

bool isText(std::string_view extension) {
    return EqualsIgnoringCase(extension, "txt");
}

// The suffix after the last "." of the file name; empty when it has none.
std::string_view suffixOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string sheetColumnName(std::string_view name) {
    std::string result;
    for (const char c : name) {
        if (c == '(')
            result += "（";
        else if (c == ')')
            result += "）";
        else
            result += c;
    }
    return result;
}

}  // namespace

ExportFileChoice ChooseExportFile(std::string_view proposedName, std::string_view extension) {
    ExportFileChoice choice;
    if (extension.empty()) {
        choice.askUser = true;
        choice.filters = {std::string(kSpreadsheetFilter), std::string(kTextFilter)};
        choice.defaultSuffix = "xls";
        return choice;
    }
    const std::string_view suffix = suffixOf(proposedName);
    choice.askUser = !EqualsIgnoringCase(suffix, extension);
    choice.filters = {std::string(isText(extension) ? kTextFilter : kSpreadsheetFilter)};
    choice.defaultSuffix = std::string(extension);
    return choice;
}

ExportFormat ExportFormatOf(std::string_view path, std::string_view extension) {
    const std::string_view deciding = extension.empty() ? suffixOf(path) : extension;
    return isText(deciding) ? ExportFormat::Text : ExportFormat::Spreadsheet;
}

SpreadsheetPlan PlanSpreadsheet(std::size_t columns, std::size_t rows) {
    SpreadsheetPlan plan{{}, columns, rows};
    if (columns > kMaxSheetColumns) {
        plan.questions.push_back("列表中列数过多，最多只能导出前255列，是否继续导出？");
        plan.columns = kMaxSheetColumns;
    }
    if (rows >= kMaxSheetRows) {
        plan.questions.push_back("列表中数据过多，最多只能导出前65000行，是否继续导出？");
        plan.rows = kMaxSheetRows;
    } else if (rows > kLongExportRows) {
        plan.questions.push_back("列表中数据行数超过1万行，可能需要比较长的时间，是否继续导出？");
    }
    return plan;
}

SpreadsheetPlan PlanSpreadsheet(const GridContent& grid) {
    return PlanSpreadsheet(grid.shownColumns().size(), grid.rows.size());
}

SheetTable SpreadsheetTable(const GridContent& grid, const SpreadsheetPlan& plan) {
    std::vector<std::size_t> columns = grid.shownColumns();
    columns.resize(std::min(columns.size(), plan.columns));
    SheetTable table;
    for (std::size_t i = 0; i < columns.size(); ++i)
        table.header.push_back(grid.hasHeader ? sheetColumnName(grid.columns[columns[i]].name)
                                              : "列" + std::to_string(i));
    const std::size_t rows = std::min(grid.rows.size(), plan.rows);
    table.cells.reserve(rows * columns.size());
    for (std::size_t row = 0; row < rows; ++row) {
        const GridRow& record = grid.rows[row];
        if (record.filteredOut)
            continue;
        for (const std::size_t column : columns)
            table.cells.push_back(record.cell(column));
    }
    return table;
}

bool ExportText(const std::string& path, const GridContent& grid) {
    return WriteFileAtomically(path, GridText(grid, true));
}

ExportOutcome ExportSpreadsheet(const std::string& path, const GridContent& grid,
                                const SpreadsheetPlan& plan) {
    const Biff8Workbook workbook = BuildBiff8Workbook(kSheetName, SpreadsheetTable(grid, plan));
    return {WriteXlsFile(path, workbook.stream), workbook.cutCells};
}

std::string CutCellsMessage(std::size_t cells) {
    return "有" + std::to_string(cells) +
           "个单元格的文字超过表格单元格的上限（32767个字符），只导出了前32767个字符；"
           "完整内容请导出为文本文件。";
}

}  // namespace quorstat
