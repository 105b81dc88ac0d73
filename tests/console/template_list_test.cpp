#include "console/template_list.h"

#include <gtest/gtest.h>

namespace quorstat {
namespace {

std::string record(int id, int sort, const std::string& name, bool inUse = false) {
    return "TempletID=" + std::to_string(id) + "|Sort=" + std::to_string(sort) +
           "|TempletName=" + name + "|TempletStatus=" + (inUse ? "True" : "False") + "|";
}

std::vector<std::string> namesOf(const TemplateList& list) {
    std::vector<std::string> names;
    for (const auto& item : list.items)
        names.push_back(item.TempletName);
    return names;
}

TEST(TemplateList, AnEmptyListBecomesTheSystemTemplate) {
    TemplateList list;
    std::string current = "mine";
    EXPECT_EQ(list.apply(ParseTemplateList("1|0|x|"), current), TemplateList::Outcome::Loaded);
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.items[0], TemplateList::SystemTemplate());
    EXPECT_EQ(list.items[0].TempletName, "系统模板");
    EXPECT_EQ(list.items[0].Win, "中");
    EXPECT_EQ(list.items[0].Wait, "等待");
    EXPECT_TRUE(list.items[0].DispHitNow);
    EXPECT_EQ(current, "mine");
}

TEST(TemplateList, OrdersBySortKeyReadAsUnsigned) {
    TemplateList list;
    std::string current;
    const std::string reply = "1|4|2013-05-01 09:00:00|" + record(7, 3, "三") + "$" +
                              record(8, -1, "末") + "$" + record(9, 1, "一", true) + "$" +
                              record(10, 2, "二") + "$";
    ASSERT_EQ(list.apply(ParseTemplateList(reply), current), TemplateList::Outcome::Loaded);
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"一", "二", "三", "末"}));
    EXPECT_EQ(list.stamp, "2013-05-01 09:00:00");
    EXPECT_EQ(current, "一");
}

TEST(TemplateList, UnusableRepliesAskAgain) {
    TemplateList list;
    std::string current;
    list.stamp = "old";
    EXPECT_EQ(list.apply(ParseTemplateList("2|"), current), TemplateList::Outcome::Retry);
    EXPECT_TRUE(list.stamp.empty());
    for (const char* reply : {"", "0|出错了", "5|注意|1|x|", "1|3"})
        EXPECT_EQ(list.apply(ParseTemplateList(reply), current), TemplateList::Outcome::Retry)
            << reply;

    list.apply(ParseTemplateList("1|0|x|"), current);
    list.stamp = "kept";
    EXPECT_EQ(list.apply(ParseTemplateList("2|"), current), TemplateList::Outcome::Unchanged);
    EXPECT_EQ(list.stamp, "kept");
}

TEST(TemplateList, ChoosesThePendingThenTheCurrentName) {
    TemplateList list;
    std::string current;
    list.apply(ParseTemplateList("1|3|s|" + record(4, 0, "甲") + "$" + record(5, 1, "乙") + "$" +
                                 record(6, 2, "乙") + "$"),
               current);

    struct Case {
        std::string pending;
        std::string current;
        int index;
        std::optional<int> selected;
        std::string currentAfter;
    };
    const Case cases[] = {
        {"", "乙", 2, std::nullopt, "乙"},  // the last entry of that name
        {"", "丙", 0, std::nullopt, "甲"},  // gone: the first entry
        {"乙", "甲", 2, 6, "乙"},
        {"丙", "甲", 0, 0, "甲"},  // the manager's pick is gone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pending + "/" + c.current);
        list.pendingName = c.pending;
        current = c.current;
        const auto choice = list.choose(current);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->index, c.index);
        EXPECT_EQ(choice->selectedTemplateId, c.selected);
        EXPECT_EQ(current, c.currentAfter);
        EXPECT_TRUE(list.pendingName.empty());
    }
    EXPECT_FALSE(TemplateList().choose(current));
}

}  // namespace
}  // namespace quorstat
