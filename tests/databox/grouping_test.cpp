#include "databox/grouping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "box_test_support.h"

namespace quorstat {
namespace {

using namespace quorstat::testing;

GroupingOptions options(GroupingMode mode, int count, GroupingOrder order, bool sameSize) {
    GroupingOptions o;
    o.mode = mode;
    o.count = count;
    o.order = order;
    o.sameSize = sameSize;
    return o;
}

TEST(PartitionRows, SplitsTenRowsAsTheDialogSays) {
    using M = GroupingMode;
    using O = GroupingOrder;
    const struct {
        const char* name;
        GroupingOptions options;
        Partition expected;
    } cases[] = {
        {"three groups in order",
         options(M::byCount, 3, O::sequential, false),
         {{0, 1, 2, 3}, {4, 5, 6}, {7, 8, 9}}},
        {"three equal groups",
         options(M::byCount, 3, O::sequential, true),
         {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}}},
        {"three groups dealt",
         options(M::byCount, 3, O::dealt, false),
         {{0, 3, 6, 9}, {1, 4, 7}, {2, 5, 8}}},
        {"three equal groups dealt",
         options(M::byCount, 3, O::dealt, true),
         {{0, 3, 6}, {1, 4, 7}, {2, 5, 8}}},
        {"groups of four",
         options(M::bySize, 4, O::sequential, false),
         {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9}}},
        {"full groups of four",
         options(M::bySize, 4, O::sequential, true),
         {{0, 1, 2, 3}, {4, 5, 6, 7}}},
        {"groups of four dealt",
         options(M::bySize, 4, O::dealt, false),
         {{0, 3, 6, 9}, {1, 4, 7}, {2, 5, 8}}},
        {"full groups of four dealt",
         options(M::bySize, 4, O::dealt, true),
         {{0, 2, 4, 6}, {1, 3, 5, 7}}},
        {"one group", options(M::byCount, 1, O::dealt, true), {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}},
        {"too many groups", options(M::byCount, 11, O::sequential, false), {}},
    };
    std::mt19937 random(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PartitionRows(10, c.options, random), c.expected);
    }
}

TEST(PartitionRows, RandomOrderDrawsEveryRowOnceAndRepeatsWithItsSeed) {
    for (const bool same : {false, true}) {
        SCOPED_TRACE(same);
        const GroupingOptions o = options(GroupingMode::byCount, 3, GroupingOrder::random, same);
        std::mt19937 first(42);
        std::mt19937 again(42);
        const Partition partition = PartitionRows(10, o, first);
        EXPECT_EQ(PartitionRows(10, o, again), partition);
        ASSERT_EQ(partition.size(), 3u);
        EXPECT_EQ(partition[0].size(), same ? 3u : 4u);
        EXPECT_EQ(partition[2].size(), 3u);
        std::set<std::size_t> rows;
        for (const auto& part : partition)
            rows.insert(part.begin(), part.end());
        EXPECT_EQ(rows.size(), same ? 9u : 10u);
        EXPECT_LT(*rows.rbegin(), 10u);
    }
    std::mt19937 random(7);
    const Partition bySize =
        PartitionRows(10, options(GroupingMode::bySize, 4, GroupingOrder::random, false), random);
    ASSERT_EQ(bySize.size(), 3u);
    EXPECT_EQ(bySize[2].size(), 2u);
}

TEST(ValidateGrouping, NamesWhatIsWrong) {
    GroupingOptions tolerant = options(GroupingMode::byCount, 2, GroupingOrder::sequential, false);
    tolerant.toleranceOn = true;
    const struct {
        GroupingOptions options;
        std::size_t rows;
        const char* message;
    } cases[] = {
        {options(GroupingMode::byCount, 0, GroupingOrder::sequential, false), 10, "组数设置不正确"},
        {options(GroupingMode::byCount, 11, GroupingOrder::dealt, false), 10, "组数设置不正确"},
        {options(GroupingMode::bySize, 0, GroupingOrder::sequential, false), 10,
         "每组个数设置不正确"},
        {options(GroupingMode::bySize, 2, GroupingOrder::random, true), 1, "每组个数设置不正确"},
        {tolerant, 10, "容错设置不正确"},
        {options(GroupingMode::bySize, 10, GroupingOrder::sequential, true), 10, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ValidateGrouping(c.options, c.rows).value_or(""), c.message);
    }
    EXPECT_EQ(ValidateBatchTolerance("").value_or(""), "容错数输入不正确");
    EXPECT_EQ(ValidateBatchTolerance("-").value_or(""), "容错数输入不正确");
    EXPECT_FALSE(ValidateBatchTolerance("0 1"));
}

TEST(ApplyGrouping, ReplacesTheRowsByNewlyNamedGroups) {
    auto root = group({});
    for (int i = 0; i < 10; ++i)
        root->children.push_back(item("12 ", "r" + std::to_string(i)));
    root->children.push_back(group({}, "", "新建组"));

    GroupingOptions o = options(GroupingMode::byCount, 3, GroupingOrder::dealt, true);
    o.toleranceOn = true;
    o.toleranceText = "0,1";
    std::mt19937 random(1);
    const Rows rows{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_TRUE(ApplyGrouping(*root, rows, PartitionRows(10, o, random), o));
    // The untouched group stays first; row 9 fell to the same-size option.
    ASSERT_EQ(root->children.size(), 4u);
    EXPECT_EQ(root->children[1]->name, "新建组001");
    EXPECT_EQ(root->children[2]->name, "新建组002");
    EXPECT_EQ(root->children[3]->name, "新建组003");
    const tagPLANBIGPDATA& second = *root->children[2];
    EXPECT_EQ(second.betCount, 3);
    EXPECT_EQ(second.toleranceOn, 1);
    EXPECT_EQ(second.toleranceText, "0,1");
    ASSERT_EQ(second.children.size(), 3u);
    EXPECT_EQ(second.children[0]->name, "r1");
    EXPECT_EQ(second.children[2]->name, "r7");

    // The batch tolerance reaches groups only.
    root->children.push_back(item("34 ", "item"));
    ApplyBatchTolerance(*root, {2, 4, 9}, false, "2");
    EXPECT_EQ(root->children[2]->toleranceOn, 0);
    EXPECT_EQ(root->children[2]->toleranceText, "2");
    EXPECT_EQ(root->children[3]->toleranceText, "0,1");
    EXPECT_EQ(root->children[4]->toleranceText, "");
    EXPECT_FALSE(ApplyGrouping(*root, {4}, {}, o));
    EXPECT_EQ(root->children.size(), 5u);
}

}  // namespace
}  // namespace quorstat
