#include <gtest/gtest.h>

#include "box_test_support.h"
#include "databox/box_clipboard.h"
#include "databox/box_tree.h"
#include "databox/result_area.h"

namespace quorstat {
namespace {

using namespace quorstat::testing;

TEST(BoxClipboard, CopiesCutsAndPastesPerBoxKind) {
    auto root = group(nodes(item("12 ", "a"), item("34 ", "b"), group({}, "", "g")));
    BoxClipboard clipboard;
    clipboard.copy(BoxKind::plan, *root, {2, 0, 0, 7});
    EXPECT_TRUE(clipboard.empty(BoxKind::bigBase));
    EXPECT_TRUE(clipboard.paste(BoxKind::plan, *root));
    EXPECT_TRUE(clipboard.paste(BoxKind::plan, *root));
    EXPECT_EQ(names(*root), (std::vector<std::string>{"a", "b", "g", "a", "g", "a", "g"}));

    clipboard.cut(BoxKind::bigBase, *root, {1, 2});
    EXPECT_EQ(names(*root), (std::vector<std::string>{"a", "a", "g", "a", "g"}));
    EXPECT_TRUE(clipboard.paste(BoxKind::bigBase, *root));
    EXPECT_TRUE(clipboard.empty(BoxKind::bigBase));
    EXPECT_EQ(root->children.size(), 7u);

    auto box = group(nodes(item("12 ", "a"), item("34 ", "b")));
    EXPECT_TRUE(clipboard.copyToNewGroup(BoxKind::plan, *box, {1}));
    EXPECT_TRUE(clipboard.cutToNewGroup(BoxKind::plan, *box, {0}));
    EXPECT_EQ(names(*box), (std::vector<std::string>{"b", "新建组", "新建组001"}));
    EXPECT_EQ(box->children[2]->children[0]->name, "a");
    EXPECT_TRUE(clipboard.paste(BoxKind::plan, *box));
    EXPECT_TRUE(clipboard.empty(BoxKind::plan));
    EXPECT_EQ(names(*box).back(), "a");
}

TEST(BoxTree, EditsTheListAndKeepsTreesWithinTheDepthLimit) {
    auto root = group(nodes(
        item("1 ", "a"), group(nodes(item("2 ", "b"), item("3 ", "c")), "", "g"), item("4 ", "d")));
    DissolveGroups(*root, {0, 1});
    EXPECT_EQ(names(*root), (std::vector<std::string>{"a", "d", "b", "c"}));
    EXPECT_EQ(UniqueChildName(*root, "a"), "a001");
    EXPECT_EQ(UniqueChildName(*root, "新建组"), "新建组");
    root->children.push_back(group({}, "", "a001"));
    EXPECT_EQ(UniqueChildName(*root, "a"), "a002");
    EXPECT_EQ(UniqueChildName(*root, "a001", root->children.back().get()), "a001");

    // A chain filling every level fits; one level more does not.
    EXPECT_TRUE(AppendNodes(*root, nodes(chain(kMaxTreeDepth - 1))));
    EXPECT_EQ(TreeDepth(*root), kMaxTreeDepth);
    EXPECT_FALSE(AppendNodes(*root, nodes(chain(kMaxTreeDepth))));
    EXPECT_FALSE(RowsFitInNewGroup(*root, {5}));
    BoxClipboard clipboard;
    EXPECT_FALSE(clipboard.cutToNewGroup(BoxKind::plan, *root, {5}));
    EXPECT_EQ(root->children.size(), 6u);
    EXPECT_FALSE(ReplaceGroup(*root, 4, *chain(kMaxTreeDepth)));
    EXPECT_TRUE(ReplaceGroup(*root, 4, *group(nodes(item("9 ", "x")), "", "a")));
    EXPECT_EQ(root->children[4]->name, "a001");

    RemoveItemsWithoutNumbers(*root);
    EXPECT_EQ(root->children.size(), 6u);
    root->children[4]->children[0]->setNumbers({});
    RemoveItemsWithoutNumbers(*root);
    EXPECT_TRUE(root->children[4]->children.empty());
}

TEST(BoxTree, FreesAndMeasuresVeryDeepTreesWithoutRecursion) {
    auto root = NewGroupNode();
    tagPLANBIGPDATA* end = root.get();
    for (int i = 0; i < 200000; ++i) {
        end->children.push_back(NewGroupNode());
        end = end->children.back().get();
    }
    EXPECT_EQ(TreeDepth(*root), 200001);
    root.reset();
}

TEST(ResultArea, ComplementsParksAndTurnsStagedNumbersIntoItems) {
    ResultArea area;
    area.setResult({"00 01", 2});
    area.complement(boxPlay(1301));
    EXPECT_EQ(area.resultCount(), 98);
    EXPECT_EQ(area.result().substr(0, 9), "02 03 04 ");
    area.setResult({"21", 1});
    area.complement(boxPlay(1305));
    EXPECT_EQ(area.resultCount(), 54);

    area.setResult({"12 34", 2});
    area.toStaging();
    EXPECT_EQ(area.result(), "");
    area.setResult({"no numbers", 0});
    area.toStaging();
    area.setResult({"56,78", 2});
    area.toStaging();
    EXPECT_EQ(area.staging(), "12 34\r\n\r\nno numbers\r\n\r\n56,78");

    auto root = group(nodes(item("1 ", "暂存区数据")));
    EXPECT_EQ(area.stagingToItems(*root, boxPlay(1301)), 2);
    EXPECT_EQ(names(*root),
              (std::vector<std::string>{"暂存区数据", "暂存区数据001", "暂存区数据002"}));
    const tagPLANBIGPDATA& staged = *root->children[2];
    EXPECT_EQ(staged.numbers(), "56 78 ");
    EXPECT_EQ(staged.betCount, 2);
    EXPECT_EQ(staged.userId, 0);
    EXPECT_EQ(staged.sharing, 1);
    area.clearStaging();
    EXPECT_EQ(area.staging(), "");

    area.view(staged, boxPlay(1301));
    EXPECT_EQ(area.result(), "56 78 ");
    EXPECT_EQ(area.resultCount(), 2);
}

// Ten five-digit numbers, fifteen three-digit ones and so on to a line; blocks keep their breaks.
TEST(ResultArea, ShowsAboutSixtyCharactersOfNumbersToALine) {
    auto numbers = [](int count, int width) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += std::string(static_cast<std::size_t>(width), char('0' + i % 10)) + ' ';
        text.pop_back();
        return text;
    };
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"", ""},
        {"456 789", "456 789"},
        {numbers(11, 5), "00000 11111 22222 33333 44444 55555 66666 77777 88888 99999\n00000"},
        {numbers(16, 3), numbers(15, 3) + "\n555"},
        {numbers(20, 2), numbers(20, 2)},
        {numbers(21, 2) + "\r\n\r\n" + numbers(21, 2),
         numbers(20, 2) + "\n00\r\n\r\n" + numbers(20, 2) + "\n00"},
        {"12  34", "12  34"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResultDisplayText(c.text), c.shown) << c.text;
}

}  // namespace
}  // namespace quorstat
