#pragma once

#include <cstddef>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "databox/box_tree.h"

namespace quorstat {

enum class GroupingMode { byCount = 0, bySize = 1 };  // a number of groups, or rows per group
enum class GroupingOrder { sequential = 0, dealt = 1, random = 2 };  // 顺序, 交叉, 随机

struct GroupingOptions {
    GroupingMode mode = GroupingMode::byCount;
    int count = 1;  // groups, or rows per group
    GroupingOrder order = GroupingOrder::sequential;
    bool sameSize = false;  // "保证每组个数相同，删除多余数据"
    bool toleranceOn = false;
    std::string toleranceText;
    std::string name;  // empty means "新建组"
};

// Groups in order, each the indexes 0..N-1 of the rows it takes, in the order taken.
using Partition = std::vector<std::vector<std::size_t>>;

// The grouping dialog's check on "确定": the message to show, or nothing.
std::optional<std::string_view> ValidateGrouping(const GroupingOptions& options,
                                                 std::size_t rowCount);

// The random order draws from `random`; seed it to repeat a grouping.
Partition PartitionRows(std::size_t rowCount, const GroupingOptions& options, std::mt19937& random);

// Takes the rows out of the root and appends one new group per part of the partition (its indexes
// count within `rows` in row order); rows no part took are removed. False, and nothing changes,
// for an empty partition or when the groups would make the tree too deep.
bool ApplyGrouping(tagPLANBIGPDATA& root, const Rows& rows, const Partition& partition,
                   const GroupingOptions& options);

// The batch tolerance dialog's check on "确定": the message to show, or nothing.
std::optional<std::string_view> ValidateBatchTolerance(std::string_view text);
// Every group among the rows takes the tolerance; items are left alone.
void ApplyBatchTolerance(tagPLANBIGPDATA& root, const Rows& rows, bool on, std::string_view text);

}  // namespace quorstat
