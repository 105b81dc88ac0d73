#include "ui/grid_text.h"

#include <algorithm>
#include <string_view>

#include "ui/ansi_batch.h"

namespace quorstat {
namespace {

void appendPadded(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    out.append(width - text.size(), ' ');
}

void endLine(std::string& out, std::size_t lineStart) {
    const std::size_t last = out.find_last_not_of(' ');
    out.resize(last == std::string::npos || last < lineStart ? lineStart : last + 1);
    out += "\r\n";
}

void appendRule(std::string& out, std::size_t width) {
    out.append(width, '-');
    out += "\r\n";
}

}  // namespace

std::string GridText(const GridContent& grid, bool withHeader) {
    const std::vector<std::size_t> shown = grid.shownColumns();
    if (shown.empty())
        return {};

    const AnsiBatch ansi([&](auto&& add) {
        if (grid.hasHeader)
            for (const std::size_t column : shown)
                add(grid.columns[column].name);
        for (const GridRow& row : grid.rows)
            for (const std::size_t column : shown)
                add(row.cell(column));
    });
    const std::size_t columns = shown.size();
    std::vector<std::size_t> widths(columns, 0);
    std::size_t next = 0;
    ansi.forEach([&](std::string_view text) {
        std::size_t& width = widths[next++ % columns];
        width = std::max(width, text.size());
    });
    std::size_t lineWidth = 0;
    for (const std::size_t width : widths)
        lineWidth += width + 1;

    std::string out;
    out.reserve((grid.rows.size() + 3) * (lineWidth + 2));
    const std::size_t names = grid.hasHeader ? columns : 0;
    const std::size_t firstSummary = grid.summaryRows > 0 ? grid.bodyRows() : grid.rows.size();
    std::size_t lineStart = 0;
    next = 0;
    ansi.forEach([&](std::string_view text) {
        const std::size_t at = next++;
        const std::size_t column = at % columns;
        const bool lastColumn = column + 1 == columns;
        if (at < names) {
            if (!withHeader)
                return;
            appendPadded(out, text, widths[column] + 1);
            if (lastColumn) {
                out += "\r\n";
                appendRule(out, lineWidth);
            }
            return;
        }
        const std::size_t row = (at - names) / columns;
        if (grid.rows[row].filteredOut)
            return;
        if (column == 0) {
            if (row == firstSummary)
                appendRule(out, lineWidth);
            lineStart = out.size();
        }
        appendPadded(out, text, widths[column] + 1);
        if (lastColumn)
            endLine(out, lineStart);
    });
    return out;
}

}  // namespace quorstat
