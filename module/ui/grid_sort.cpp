#include "ui/grid_sort.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "net/reply_text.h"
#include "ui/ansi_batch.h"

namespace quorstat {
namespace {

template <typename Key>
void sortByKeys(std::vector<std::size_t>& order, const std::vector<Key>& keys, bool ascending) {
    std::stable_sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
        return ascending ? keys[left] < keys[right] : keys[right] < keys[left];
    });
}

}  // namespace

std::vector<std::size_t> SortGridRows(GridContent& grid, std::size_t column, bool ascending) {
    std::vector<std::size_t> from(grid.rows.size());
    std::iota(from.begin(), from.end(), std::size_t{0});
    if (column >= grid.columns.size())
        return from;

    const std::size_t body = grid.bodyRows();
    std::vector<std::size_t> order(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(body));
    if (grid.columns[column].compare == GridCompare::Number) {
        std::vector<double> keys;
        keys.reserve(body);
        for (std::size_t row = 0; row < body; ++row)
            keys.push_back(ReadMoney(grid.rows[row].cell(column)));
        sortByKeys(order, keys, ascending);
    } else {
        const AnsiBatch ansi([&](auto&& add) {
            for (std::size_t row = 0; row < body; ++row)
                add(grid.rows[row].cell(column));
        });
        std::vector<std::string_view> keys;
        keys.reserve(body);
        ansi.forEach([&](std::string_view key) { keys.push_back(key); });
        keys.resize(body);
        sortByKeys(order, keys, ascending);
    }

    std::vector<GridRow> sorted;
    sorted.reserve(grid.rows.size());
    for (const std::size_t row : order)
        sorted.push_back(std::move(grid.rows[row]));
    for (std::size_t row = body; row < grid.rows.size(); ++row)
        sorted.push_back(std::move(grid.rows[row]));
    grid.rows = std::move(sorted);
    std::copy(order.begin(), order.end(), from.begin());
    return from;
}

}  // namespace quorstat
