#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// One sheet of text: a header row, then rows of `header.size()` cells each.
struct SheetTable {
    std::vector<std::string> header;
    std::vector<std::string_view> cells;  // row after row

    std::size_t rowCount() const { return header.empty() ? 0 : cells.size() / header.size(); }
};

struct Biff8Workbook {
    std::string stream;        // the "Workbook" stream of the file
    std::size_t cutCells = 0;  // cells longer than a spreadsheet cell holds, written cut
};

// Longest text of a spreadsheet cell, in UTF-16 units.
inline constexpr std::size_t kMaxCellText = 32767;

// A BIFF8 workbook with one sheet whose cells (the header in the first row) are all text cells, so
// nothing a cell holds is ever read as a formula or a number.
Biff8Workbook BuildBiff8Workbook(std::string_view sheetName, const SheetTable& table);

}  // namespace quorstat
