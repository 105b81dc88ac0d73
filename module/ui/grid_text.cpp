#include "ui/grid_text.h"

#include <algorithm>
#include <string_view>

#include "ui/ansi_batch.h"

namespace quorstat {
namespace {

std::string_view cellText(const GridRow& row, std::size_t column) {
    return column < row.cells.size() ? std::string_view(row.cells[column]) : std::string_view();
}

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
    std::vector<std::size_t> shown;
    for (std::size_t column = 0; column < grid.columns.size(); ++column)
        if (!grid.columns[column].hidden)
            shown.push_back(column);
    if (shown.empty())
        return {};

    std::vector<std::string_view> texts;
    texts.reserve((grid.rows.size() + 1) * shown.size());
    if (grid.hasHeader)
        for (const std::size_t column : shown)
            texts.push_back(grid.columns[column].name);
    for (const GridRow& row : grid.rows)
        for (const std::size_t column : shown)
            texts.push_back(cellText(row, column));
    const AnsiBatch ansi(texts);

    std::vector<std::size_t> widths(shown.size(), 0);
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        std::size_t& width = widths[i % shown.size()];
        width = std::max(width, ansi[i].size());
    }
    std::size_t lineWidth = 0;
    for (const std::size_t width : widths)
        lineWidth += width + 1;

    std::string out;
    out.reserve((grid.rows.size() + 3) * (lineWidth + 2));
    const std::size_t names = grid.hasHeader ? shown.size() : 0;
    if (withHeader && grid.hasHeader) {
        for (std::size_t i = 0; i < shown.size(); ++i)
            appendPadded(out, ansi[i], widths[i] + 1);
        out += "\r\n";
        appendRule(out, lineWidth);
    }
    const std::size_t firstSummary = grid.summaryRows > 0 ? grid.bodyRows() : grid.rows.size();
    for (std::size_t row = 0; row < grid.rows.size(); ++row) {
        if (grid.rows[row].filteredOut)
            continue;
        if (row == firstSummary)
            appendRule(out, lineWidth);
        const std::size_t lineStart = out.size();
        const std::size_t first = names + row * shown.size();
        for (std::size_t i = 0; i < shown.size(); ++i)
            appendPadded(out, ansi[first + i], widths[i] + 1);
        endLine(out, lineStart);
    }
    return out;
}

}  // namespace quorstat
