#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

struct GridColours {
    std::optional<Rgb> text;
    std::optional<Rgb> background;
};

// How a click on the column's header orders the rows.
enum class GridCompare { Text, Number };

struct GridColumn {
    std::string name;
    bool hidden = false;  // never shown, never exported
    GridCompare compare = GridCompare::Text;
    bool link = false;  // non-empty cells are links the user clicks
};

struct GridRow {
    std::vector<std::string> cells;        // display texts (UTF-8); missing cells are empty
    GridColours colours;                   // the whole row
    std::vector<GridColours> cellColours;  // empty, or one per cell over the row's colours
    bool filteredOut = false;              // skipped by the exports, as rows a filter hides

    std::string_view cell(std::size_t column) const {
        return column < cells.size() ? std::string_view(cells[column]) : std::string_view();
    }
};

// What a grid shows and exports: rows in display order, the last `summaryRows` of them totals
// that stay below the sorted body.
struct GridContent {
    std::vector<GridColumn> columns;
    bool hasHeader = true;
    std::vector<GridRow> rows;
    std::size_t summaryRows = 0;

    std::size_t bodyRows() const { return rows.size() - std::min(summaryRows, rows.size()); }
    std::vector<std::size_t> shownColumns() const {
        std::vector<std::size_t> shown;
        for (std::size_t column = 0; column < columns.size(); ++column)
            if (!columns[column].hidden)
                shown.push_back(column);
        return shown;
    }
};

}  // namespace quorstat
