#include "databox/box_evaluation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <random>
#include <stop_token>
#include <string>
#include <vector>

#include "box_test_support.h"
#include "databox/box_verification.h"
#include "reference_evaluation.h"

namespace quorstat {
namespace {

using namespace quorstat::testing;

std::unique_ptr<tagPLANBIGPDATA> a() {
    return item("12 34 56 ", "a");
}
std::unique_ptr<tagPLANBIGPDATA> b() {
    return item("34 56 78 ", "b");
}

TEST(ComputeBox, CombinesMembersAsTheRulesSay) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<tagPLANBIGPDATA>()> root;
        std::string text;
        int count;
    } cases[] = {
        {"plain intersection", [] { return group(nodes(a(), b())); }, "34 56", 2},
        {"missed by exactly one", [] { return group(nodes(a(), b()), "1"); }, "12 78", 2},
        {"missed at most once", [] { return group(nodes(a(), b()), "0,1"); }, "12 34 56 78", 4},
        {"mandatory member cuts",
         [] { return group(nodes(a(), b(), with(item("12 "), mandatory)), "0,1"); }, "12", 1},
        {"mandatory member misses twice",
         [] { return group(nodes(a(), b(), with(item("99 "), mandatory)), "0,1"); }, "", 0},
        {"complemented member", [] { return group(nodes(a(), with(b(), complemented))); }, "12", 1},
        {"complement alone", [] { return group(nodes(with(item("00 01 "), complemented))); }, "",
         98},
        {"disabled member", [] { return group(nodes(a(), b(), with(item("99 "), disabled))); },
         "34 56", 2},
        {"member without numbers", [] { return group(nodes(a(), b(), item(""))); }, "34 56", 2},
        {"member filtered out",
         [] { return group(nodes(a(), b(), with(item("99 "), filteredOut))); }, "34 56", 2},
        {"nested group", [] { return group(nodes(group(nodes(a(), b())), item("34 99 "))); }, "34",
         1},
        {"complemented group",
         [] { return group(nodes(a(), with(group(nodes(b())), complemented))); }, "12", 1},
        {"group without taking part", [] { return group(nodes(a(), group(nodes(item(""))))); },
         "12 34 56", 3},
        {"unreadable tolerance", [] { return group(nodes(a(), b()), "abc"); }, "", 0},
        {"empty root", [] { return group({}); }, "", 0},
    };
    const PlayState play = boxPlay(1301);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<BoxResult> result = ComputeBox(*c.root(), play);
        ASSERT_TRUE(result);
        if (c.count < 90) {
            EXPECT_EQ(result->text, c.text);
        }
        EXPECT_EQ(result->count, c.count);
    }
}

TEST(ComputeBox, PlaysListOnlyNumbersTheyKnow) {
    const auto root = group(nodes(with(item("21 "), complemented)));
    // 55 two-digit numbers have non-decreasing digits; "21" reads as 12.
    const std::optional<BoxResult> result = ComputeBox(*root, boxPlay(1305));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->count, 54);
    EXPECT_EQ(result->text.substr(0, 15), "00 01 02 03 04 ");
    EXPECT_EQ(result->text.find("12"), std::string::npos);
    EXPECT_EQ(result->text.find("21"), std::string::npos);

    // A play without typed numbers, and a lottery without digit rules, read nothing.
    EXPECT_EQ(ComputeBox(*root, boxPlay(1307))->count, 0);
    PlayState noLottery;
    noLottery.selectPlay(1301);
    std::vector<std::int32_t> counters(100, 0);
    EXPECT_TRUE(EvaluateNode(*root, counters, noLottery));
    EXPECT_EQ(counters, std::vector<std::int32_t>(100, 1));
}

// Random trees of every kind of node the rules know, small enough to run thousands.
class TreeMaker {
public:
    explicit TreeMaker(unsigned seed, std::size_t space) : random_(seed), space_(space) {}

    std::unique_ptr<tagPLANBIGPDATA> tree() {
        auto root = groupAt(0);
        root->enabled = 1;
        return root;
    }

    std::vector<std::int32_t> counters() {
        std::vector<std::int32_t> C(space_);
        for (auto& c : C)
            c = static_cast<std::int32_t>(pick(5)) - 1;
        return C;
    }

private:
    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    std::int32_t flag() { return pick(20) == 0 ? 2 : static_cast<std::int32_t>(pick(2)); }
    std::int32_t mostlyOn() { return pick(5) == 0 ? flag() : 1; }

    void flags(tagPLANBIGPDATA& node) {
        node.enabled = mostlyOn();
        node.positive = mostlyOn() == 1 && pick(3) != 0 ? 1 : flag();
        node.tolerant = pick(3) == 0 ? 0 : 1;
    }

    std::unique_ptr<tagPLANBIGPDATA> groupAt(int depth) {
        static const char* const tolerances[] = {"0", "1",   "0,1", "0-2", "1 3",
                                                 "2", "abc", "",    "01",  "0-65535"};
        auto node = NewGroupNode();
        flags(*node);
        node->toleranceOn = pick(2) == 0 ? 0 : 1;
        node->toleranceText = tolerances[pick(std::size(tolerances))];
        const std::size_t children = pick(7);
        for (std::size_t i = 0; i < children; ++i)
            node->children.push_back(depth < 3 && pick(4) == 0 ? groupAt(depth + 1) : itemNode());
        return node;
    }

    std::unique_ptr<tagPLANBIGPDATA> itemNode() {
        auto node = NewItemNode();
        flags(*node);
        node->positionShown = pick(8) == 0 ? "-" : "前二";
        const std::size_t density = pick(4);
        std::string numbers;
        if (pick(8) != 0) {
            const int width = space_ == 100 ? 2 : 3;
            for (std::size_t v = 0; v < space_; ++v) {
                if (pick(4) < density)
                    numbers +=
                        std::string(static_cast<std::size_t>(width) - std::to_string(v).size(),
                                    '0') +
                        std::to_string(v) + ' ';
            }
        }
        node->setNumbers(numbers.empty() && pick(2) == 0 ? "x" : numbers);
        return node;
    }

    std::mt19937 random_;
    std::size_t space_;
};

std::vector<std::size_t> members(const NumberSet& set) {
    std::vector<std::size_t> out;
    for (std::size_t v = 0; v < set.space(); ++v) {
        if (set.contains(v))
            out.push_back(v);
    }
    return out;
}

TEST(ComputeBox, EqualsTheCounterArraysOnRandomTrees) {
    for (const int playId : {1301, 1302}) {
        const PlayState play = boxPlay(playId);
        const std::size_t space = playId == 1301 ? 100 : 1000;
        const unsigned trees = playId == 1301 ? 3000 : 400;
        TreeMaker maker(static_cast<unsigned>(playId), space);
        for (unsigned i = 0; i < trees; ++i) {
            SCOPED_TRACE(i);
            const auto root = maker.tree();
            const std::optional<NumberSet> passed = EvaluateBox(*root, play);
            ASSERT_TRUE(passed);
            ASSERT_EQ(members(*passed), reference::CountBox(*root, play));

            // Against a parent's counters that already hold excluded numbers.
            std::vector<std::int32_t> expected = maker.counters();
            std::vector<std::int32_t> actual = expected;
            const auto& node = root->children.empty() ? *root : *root->children.front();
            ASSERT_EQ(EvaluateNode(node, actual, play), reference::CountNode(node, expected, play));
            ASSERT_EQ(actual, expected);
        }
    }
}

std::unique_ptr<tagPLANBIGPDATA> bigBox(std::size_t members, std::size_t numbersEach) {
    std::mt19937 random(7);
    std::vector<std::unique_ptr<tagPLANBIGPDATA>> children;
    for (std::size_t m = 0; m < members; ++m) {
        std::string text;
        for (std::size_t i = 0; i < numbersEach; ++i) {
            const auto v = std::uniform_int_distribution<int>(0, 99999)(random);
            text += std::to_string(100000 + v).substr(1) + ' ';
        }
        children.push_back(item(std::move(text)));
    }
    return group(std::move(children), "0-65535");
}

TEST(ComputeBox, ReportsProgressAndStopsWhenAsked) {
    const auto root = bigBox(40, 2000);
    const PlayState play = boxPlay(1304);

    std::vector<std::size_t> reports;
    std::size_t lastTotal = 0;
    WorkProgress counting{[&](std::size_t done, std::size_t total) {
                              reports.push_back(done);
                              lastTotal = total;
                          },
                          {}};
    const std::optional<BoxResult> full = ComputeBox(*root, play, counting);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->count, 100000);  // any number of misses is allowed
    EXPECT_EQ(lastTotal, 41u);
    EXPECT_EQ(reports.back(), 41u);

    std::stop_source stop;
    WorkProgress stopping{[&](std::size_t done, std::size_t) {
                              if (done >= 3)
                                  stop.request_stop();
                          },
                          stop.get_token()};
    const auto fresh = bigBox(40, 2000);
    EXPECT_FALSE(ComputeBox(*fresh, play, stopping));
}

TEST(ComputeBox, CopesWithHugeTextsAndThousandMembers) {
    const PlayState play = boxPlay(1304);
    // 10 MB of text: "01234" repeated reads as one number over and over.
    std::string huge;
    huge.reserve(10'000'000);
    while (huge.size() < 10'000'000)
        huge += "01234 ";
    auto root = group(nodes(item(huge), item("01234 99999 ")));
    std::optional<BoxResult> result = ComputeBox(*root, play);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text, "01234");

    root = bigBox(1000, 50);
    result = ComputeBox(*root, play);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->count, 100000);
}

TEST(VerifyGroup, RollsStatesUpThroughTheGroups) {
    struct Child {
        std::int32_t state;
        std::int32_t tolerant;
    };
    const struct {
        const char* name;
        std::vector<Child> children;
        std::string tolerance;
        std::int32_t expected;
    } cases[] = {
        {"no children", {}, "", 0},
        {"all unverified", {{0, 1}, {4, 1}}, "", 0},
        {"all hit", {{1, 1}, {1, 1}, {0, 1}}, "", 1},
        {"one miss without tolerance", {{1, 1}, {2, 1}}, "", 2},
        {"one miss allowed", {{1, 1}, {2, 1}}, "1", 1},
        {"two misses, one allowed", {{1, 1}, {2, 1}, {2, 1}}, "1", 2},
        {"mandatory miss beats tolerance", {{1, 1}, {2, 0}}, "0-5", 2},
        {"mandatory hit", {{1, 0}, {2, 1}}, "0,1", 1},
        {"unreadable tolerance", {{1, 1}}, "x", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = group({}, c.tolerance);
        for (const Child& child : c.children) {
            auto node = item("12 ");
            node->verifyState = child.state;
            node->tolerant = child.tolerant;
            root->children.push_back(std::move(node));
        }
        VerifyGroup(*root);
        EXPECT_EQ(root->verifyState, c.expected);
    }

    // A nested group is rolled up before its parent counts it.
    auto inner = group(nodes(item("1 "), item("2 ")));
    inner->children[0]->verifyState = 1;
    inner->children[1]->verifyState = 2;
    auto outer = group(nodes(std::move(inner), item("3 ")), "1");
    outer->children[1]->verifyState = 1;
    VerifyGroup(*outer);
    EXPECT_EQ(outer->children[0]->verifyState, 2);
    EXPECT_EQ(outer->verifyState, 1);
    const VerifySummary summary = SummarizeRows(*outer);
    EXPECT_EQ(summary.hit, 1);
    EXPECT_EQ(summary.missed, 1);
    EXPECT_EQ(summary.open, 0);
}

}  // namespace
}  // namespace quorstat
