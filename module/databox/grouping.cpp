#include "databox/grouping.h"

#include <algorithm>
#include <numeric>

#include "core/number_list_parser.h"

namespace quorstat {

namespace {

// Sizes of the groups in the order they are filled.
std::vector<std::size_t> groupSizes(std::size_t rowCount, const GroupingOptions& options) {
    const auto count = static_cast<std::size_t>(options.count);
    std::vector<std::size_t> sizes;
    if (options.mode == GroupingMode::byCount) {
        const std::size_t each = rowCount / count;
        const std::size_t larger = options.sameSize ? 0 : rowCount % count;
        for (std::size_t g = 0; g < count; ++g)
            sizes.push_back(each + (g < larger ? 1 : 0));
    } else {
        sizes.assign(rowCount / count, count);
        if (!options.sameSize && rowCount % count != 0)
            sizes.push_back(rowCount % count);
    }
    return sizes;
}

Partition consecutive(const std::vector<std::size_t>& sizes) {
    Partition partition;
    std::size_t next = 0;
    for (const std::size_t size : sizes) {
        partition.emplace_back(size);
        std::iota(partition.back().begin(), partition.back().end(), next);
        next += size;
    }
    return partition;
}

// Row j goes to group j mod G until the groups hold what their sizes allow in total.
Partition dealt(const std::vector<std::size_t>& sizes) {
    Partition partition(sizes.size());
    const std::size_t total = std::accumulate(sizes.begin(), sizes.end(), std::size_t{0});
    for (std::size_t row = 0; row < total; ++row)
        partition[row % sizes.size()].push_back(row);
    return partition;
}

// Each group draws its rows one by one, uniformly among the rows not yet taken.
Partition drawn(std::size_t rowCount, const std::vector<std::size_t>& sizes, std::mt19937& random) {
    std::vector<std::size_t> untaken(rowCount);
    std::iota(untaken.begin(), untaken.end(), std::size_t{0});
    Partition partition;
    for (const std::size_t size : sizes) {
        partition.emplace_back();
        for (std::size_t i = 0; i < size && !untaken.empty(); ++i) {
            std::uniform_int_distribution<std::size_t> pick(0, untaken.size() - 1);
            const std::size_t at = pick(random);
            partition.back().push_back(untaken[at]);
            untaken.erase(untaken.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    return partition;
}

}  // namespace

std::optional<std::string_view> ValidateGrouping(const GroupingOptions& options,
                                                 std::size_t rowCount) {
    const bool countFits =
        options.count >= 1 && static_cast<std::size_t>(options.count) <= rowCount;
    if (!countFits)
        return options.mode == GroupingMode::byCount ? "组数设置不正确" : "每组个数设置不正确";
    if (options.toleranceOn && options.toleranceText.empty())
        return "容错设置不正确";
    return std::nullopt;
}

Partition PartitionRows(std::size_t rowCount, const GroupingOptions& options,
                        std::mt19937& random) {
    if (ValidateGrouping(options, rowCount))
        return {};
    const std::vector<std::size_t> sizes = groupSizes(rowCount, options);
    switch (options.order) {
        case GroupingOrder::sequential:
            return consecutive(sizes);
        case GroupingOrder::dealt:
            return dealt(sizes);
        case GroupingOrder::random:
            return drawn(rowCount, sizes, random);
    }
    return {};
}

bool ApplyGrouping(tagPLANBIGPDATA& root, const Rows& rows, const Partition& partition,
                   const GroupingOptions& options) {
    if (partition.empty() || !RowsFitInNewGroup(root, rows))
        return false;
    BoxNodes taken = TakeRows(root, rows);
    const std::string name = options.name.empty() ? std::string(kNewGroupName) : options.name;
    for (const std::vector<std::size_t>& part : partition) {
        auto group = NewGroupNode(UniqueChildName(root, name));
        group->toleranceOn = options.toleranceOn ? 1 : 0;
        group->toleranceText = options.toleranceText;
        for (const std::size_t index : part) {
            if (index < taken.size() && taken[index])
                group->children.push_back(std::move(taken[index]));
        }
        group->betCount = static_cast<std::int32_t>(group->children.size());
        root.children.push_back(std::move(group));
    }
    return true;
}

std::optional<std::string_view> ValidateBatchTolerance(std::string_view text) {
    std::vector<int> values;
    if (!ParseNumberList(text, values) || values.empty())
        return "容错数输入不正确";
    return std::nullopt;
}

void ApplyBatchTolerance(tagPLANBIGPDATA& root, const Rows& rows, bool on, std::string_view text) {
    for (const std::size_t row : rows) {
        if (row < root.children.size() && root.children[row]->group()) {
            root.children[row]->toleranceOn = on ? 1 : 0;
            root.children[row]->toleranceText = std::string(text);
        }
    }
}

}  // namespace quorstat
