#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ui/biff8_workbook.h"
#include "ui/grid_content.h"

namespace quorstat {

enum class ExportFormat { Text, Spreadsheet };

// How the file of an export is chosen: the proposed name as it stands, or a save dialog.
struct ExportFileChoice {
    bool askUser = false;
    std::vector<std::string> filters;  // the dialog's file kinds, the first one preselected
    std::string defaultSuffix;         // given to a name typed without one
};

// With an extension ("txt", "xls") a proposed name that already ends in it is taken without a
// dialog, any other gets a dialog for that kind of file; without one the dialog offers both.
ExportFileChoice ChooseExportFile(std::string_view proposedName, std::string_view extension);

// "txt" in any case writes the text table, anything else a spreadsheet; without an extension the
// chosen file's own decides.
ExportFormat ExportFormatOf(std::string_view path, std::string_view extension);

inline constexpr std::size_t kMaxSheetColumns = 255;
inline constexpr std::size_t kMaxSheetRows = 65000;
inline constexpr std::size_t kLongExportRows = 10000;

struct SpreadsheetPlan {
    std::vector<std::string> questions;  // asked in this order; a "no" ends the export
    std::size_t columns = 0;             // what the sheet gets once every answer is "yes"
    std::size_t rows = 0;
};

// `columns` counts the shown columns, `rows` every row of the grid.
SpreadsheetPlan PlanSpreadsheet(std::size_t columns, std::size_t rows);
SpreadsheetPlan PlanSpreadsheet(const GridContent& grid);

// The sheet a grid gives: its shown columns and rows within the plan's limits, the rows a filter
// hides left out; column names get full-width brackets, and a grid without a header names its
// columns "列0", "列1", ...
SheetTable SpreadsheetTable(const GridContent& grid, const SpreadsheetPlan& plan);

struct ExportOutcome {
    bool written = false;
    std::size_t cutCells = 0;  // texts longer than a spreadsheet cell holds
};

bool ExportText(const std::string& path, const GridContent& grid);
ExportOutcome ExportSpreadsheet(const std::string& path, const GridContent& grid,
                                const SpreadsheetPlan& plan);

inline constexpr std::string_view kExportFailedMessage = "导出文件错误，请重新操作";
std::string CutCellsMessage(std::size_t cells);

}  // namespace quorstat
