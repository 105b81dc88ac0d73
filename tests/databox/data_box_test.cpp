#include "databox/data_box.h"

#include <gtest/gtest.h>

#include "../core_files/test_files.h"
#include "box_test_support.h"
#include "databox/box_verification.h"
#include "net/request_types.h"

namespace quorstat {
namespace {

using namespace quorstat::testing;
using Prompt = BoxStep::Prompt;

constexpr std::int32_t kIssue = 130501010;

TEST(ParsePlanReply, ReadsTheTaggedFieldsOfAPlan) {
    const struct {
        const char* reply;
        bool parses;
        std::int32_t userId, planId, issue;
        const char* positions;  // nullptr: absent
        const char* numbers;
    } cases[] = {
        {"1|130501010|UID=11|PID=101|IS=130501010|POS=12,45|TXT=12 34|", true, 11, 101, 130501010,
         "前二，后二", "12 34"},
        {"1|130501010|UID=11|POS=345|$$", true, 11, 0, 0, "后三", nullptr},
        {"1|130501010|UID=12|", true, 12, 0, 0, nullptr, nullptr},
        {"1|130501010|XX=1|UID=7x|", true, 7, 0, 0, nullptr, nullptr},
        {"1|130501010|UID=11|PID=101", false, 0, 0, 0, nullptr, nullptr},
        {"1", false, 0, 0, 0, nullptr, nullptr},
        {"0|用户不存在", false, 0, 0, 0, nullptr, nullptr},
        {"", false, 0, 0, 0, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        const std::optional<PlanContent> content = ParsePlanReply(c.reply, 1010);
        ASSERT_EQ(content.has_value(), c.parses);
        if (!c.parses)
            continue;
        EXPECT_EQ(content->userId, c.userId);
        EXPECT_EQ(content->planId, c.planId);
        EXPECT_EQ(content->issue, c.issue);
        EXPECT_EQ(content->positions.has_value(), c.positions != nullptr);
        EXPECT_EQ(content->positions.value_or(""), c.positions ? c.positions : "");
        EXPECT_EQ(content->numbers.value_or("none"), c.numbers ? c.numbers : "none");
    }
}

TEST(ParseStatusReply, ReadsEveryRecordWithAnId) {
    const auto states =
        ParseStatusReply("1|130501009|POS=12|11=1$POS=|12=$POS=12,45|13=2$junk$$POS=45|14=2", 1010);
    ASSERT_TRUE(states);
    ASSERT_EQ(states->size(), 4u);
    EXPECT_EQ((*states)[0].id, 11);
    EXPECT_EQ((*states)[0].state, 1);
    EXPECT_EQ((*states)[0].positions, "前二");
    EXPECT_EQ((*states)[1].id, 12);
    EXPECT_EQ((*states)[1].state, 4);
    EXPECT_EQ((*states)[1].positions, "");
    EXPECT_EQ((*states)[2].positions, "前二，后二");
    EXPECT_EQ((*states)[3].id, 14);
    EXPECT_FALSE(ParseStatusReply("0|失败", 1010));
    EXPECT_FALSE(ParseStatusReply("", 1010));
}

class DataBoxFlow : public ::testing::Test {
protected:
    std::vector<BoxUser> threeUsers(std::int32_t secondPlanId = 0) const {
        return {{"甲", 11, 0, 1}, {"乙", 12, secondPlanId, 1}, {"丙", 13, 0, 0}};
    }
    static std::vector<int> types(const BoxStep& step) {
        std::vector<int> out;
        for (const BoxRequest& request : step.requests)
            out.push_back(request.type);
        return out;
    }
    TempDir dir_;
};

TEST_F(DataBoxFlow, PlanBoxFetchesLatestPlansThenComputesAndVerifies) {
    DataBox box(BoxKind::plan, dir_.path());
    box.load(boxPlay(1301));
    BoxStep step = box.receiveUsers(threeUsers(), false, false, kIssue);
    EXPECT_TRUE(step.requests.empty());
    EXPECT_TRUE(step.save);
    ASSERT_EQ(box.root().children.size(), 3u);
    EXPECT_EQ(box.root().children[2]->sharing, 0);

    step = box.startCompute(kIssue);
    EXPECT_EQ(types(step), std::vector<int>(3, RequestType::PlanContentToPlanBox));
    EXPECT_EQ(step.requests[2].userId, 13);
    EXPECT_EQ(step.requests[2].issue, kIssue);
    EXPECT_EQ(step.prompt, Prompt::show);
    EXPECT_EQ(step.promptText, "正在获取用户最新方案，请稍候...");

    step = box.onPlanContentReply(RequestType::PlanContentToPlanBox,
                                  "1|130501010|UID=11|PID=101|IS=130501010|POS=12|TXT=56,34;12|");
    EXPECT_EQ(step.promptText, "正在获取用户 [甲] 的最新方案");
    EXPECT_FALSE(step.compute);
    box.onPlanContentReply(RequestType::PlanContentToPlanBox, "1|130501010|UID=12|");
    step =
        box.onPlanContentReply(RequestType::PlanContentToPlanBox,
                               "1|130501010|UID=13|PID=103|IS=130501010|POS=12,45|TXT=34 56 78|");
    EXPECT_EQ(step.message, "以下用户在当前期没有方案：\r\n乙\r\n");
    EXPECT_TRUE(step.compute);
    EXPECT_EQ(step.promptText, "正在计算交集，请稍候...");
    EXPECT_FALSE(box.waiting());

    const tagPLANBIGPDATA& first = *box.root().children[0];
    EXPECT_EQ(first.numbers(), "12 34 56 ");
    EXPECT_EQ(first.betCount, 3);
    EXPECT_EQ(first.planId, 101);
    EXPECT_EQ(first.positionShown, "前二");
    EXPECT_TRUE(first.presenceRead(box.play()));  // computing does not read the text again
    EXPECT_EQ(box.root().children[2]->positions, "前二，后二");
    const std::optional<BoxResult> result = box.compute();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text, "34 56");

    EXPECT_EQ(box.startVerify(std::nullopt).message, "验证期号设置不正确，请稍后再试");
    step = box.startVerify(130501009);
    ASSERT_EQ(types(step), std::vector<int>{RequestType::PlanStatesByUsers});
    EXPECT_EQ(step.requests[0].ids, "11,12,13");
    EXPECT_EQ(step.requests[0].issue, 130501009);
    EXPECT_EQ(step.promptText, "正在获取方案验证信息，请稍候...");
    step = box.onStatusReply("1|130501009|POS=12|11=1$POS=12,45|13=2$");
    EXPECT_EQ(step.prompt, Prompt::close);
    EXPECT_EQ(box.root().children[0]->verifyState, 1);
    EXPECT_EQ(box.root().children[2]->verifyState, 2);
    EXPECT_EQ(box.root().verifyState, 2);
    const VerifySummary summary = SummarizeRows(box.root());
    EXPECT_EQ(summary.hit, 1);
    EXPECT_EQ(summary.missed, 1);
    EXPECT_EQ(summary.open, 1);

    // The next issue 甲 has no plan: the old one no longer counts.
    box.startCompute(kIssue + 1);
    box.onPlanContentReply(RequestType::PlanContentToPlanBox, "1|130501011|UID=11|");
    EXPECT_EQ(box.root().children[0]->numbers(), "");
    EXPECT_EQ(box.root().children[0]->positionShown, "-");
}

TEST_F(DataBoxFlow, BigBaseBoxStoresPlansAndDropsUsersWithout) {
    DataBox box(BoxKind::bigBase, dir_.path());
    box.load(boxPlay(1301));
    BoxStep step = box.receiveUsers(threeUsers(205), true, false, kIssue);
    EXPECT_EQ(types(step),
              (std::vector<int>{RequestType::PlanContentToBigBase, RequestType::PlanDetailToBigBase,
                                RequestType::PlanContentToBigBase}));
    EXPECT_EQ(step.requests[1].planId, 205);
    EXPECT_EQ(step.requests[1].userName, "乙");
    EXPECT_EQ(step.promptText, "正在获取用户方案，请稍候...");
    ASSERT_EQ(box.root().children.size(), 1u);
    const tagPLANBIGPDATA& group = *box.root().children[0];
    EXPECT_EQ(group.name, "新建组");
    EXPECT_EQ(group.children[0]->issue, kIssue);

    box.onPlanContentReply(RequestType::PlanContentToBigBase,
                           "1|130501010|UID=11|PID=101|IS=130501010|POS=12|TXT=12 34 56|");
    tagPLANITEM known;
    known.planId = 205;
    known.positions = "12,45";
    known.numbers = "34 56 78";
    known.firstIssue = 130501008;
    known.lastIssue = 130501012;
    step = box.onKnownPlan(known);
    EXPECT_EQ(step.promptText, "正在获取用户 [乙] 的方案");
    step = box.onPlanContentReply(RequestType::PlanContentToBigBase, "1|130501010|UID=13|");
    EXPECT_EQ(step.message, "以下用户在当前期没有方案：\r\n丙\r\n");
    EXPECT_EQ(step.prompt, Prompt::close);
    EXPECT_FALSE(step.compute);
    ASSERT_EQ(group.children.size(), 2u);
    EXPECT_EQ(group.children[1]->issue, kIssue);
    EXPECT_EQ(group.children[1]->positionShown, "前二，后二");

    step = box.startCompute(kIssue);
    EXPECT_TRUE(step.compute);
    EXPECT_EQ(box.compute()->text, "34 56");
    box.filterPositions("后二", kIssue);
    EXPECT_EQ(group.children[0]->positionShown, "-");
    EXPECT_EQ(box.compute()->text, "34 56 78");

    step = box.startVerify(std::nullopt);
    ASSERT_EQ(types(step), std::vector<int>(2, RequestType::PlanStateByPlan));
    EXPECT_EQ(step.requests[0].ids, "101");
    EXPECT_EQ(step.requests[1].ids, "205");
    EXPECT_EQ(step.requests[1].issue, kIssue);
    EXPECT_EQ(box.onStatusReply("1|130501010|POS=12|101=1$").prompt, Prompt::keep);
    EXPECT_EQ(box.onStatusReply("0|失败").promptText, "获取方案验证信息失败！");
    EXPECT_EQ(group.children[0]->verifyState, 1);
    EXPECT_EQ(group.verifyState, 1);
}

TEST_F(DataBoxFlow, FailedOrStrayRepliesEndTheWaitWithoutHarm) {
    DataBox box(BoxKind::bigBase, dir_.path());
    box.load(boxPlay(1301));
    box.receiveUsers(threeUsers(), false, false, kIssue);
    box.onPlanContentReply(RequestType::PlanContentToBigBase,
                           "1|130501010|UID=11|PID=101|IS=130501010|POS=12|TXT=12|");
    BoxStep step = box.onPlanContentReply(RequestType::PlanContentToBigBase, "");
    EXPECT_EQ(step.prompt, Prompt::closeAfterSecond);
    EXPECT_EQ(step.promptText, "获取用户最新方案失败！");
    EXPECT_FALSE(box.waiting());
    // The user who answered keeps his plan; a late reply changes nothing.
    EXPECT_EQ(box.root().children[0]->numbers(), "12 ");
    step = box.onPlanContentReply(RequestType::PlanContentToBigBase,
                                  "1|130501010|UID=13|PID=103|IS=130501010|POS=12|TXT=99|");
    EXPECT_EQ(step.prompt, Prompt::keep);
    EXPECT_EQ(box.root().children[2]->numbers(), "");

    // A reply without a user, and replies of another box's requests.
    box.receiveUsers({{"丁", 14, 0, 1}}, false, true, kIssue);
    EXPECT_EQ(box.onPlanContentReply(RequestType::PlanContentToPlanBox, "1|1|UID=14|").prompt,
              Prompt::keep);
    EXPECT_EQ(box.onPlanContentReply(RequestType::PlanContentToBigBase, "1|1|").prompt,
              Prompt::closeAfterSecond);

    DataBox plans(BoxKind::plan, dir_.path());
    plans.load(boxPlay(1301));
    EXPECT_EQ(plans.startCompute(kIssue).message, "没有启用的用户");
    EXPECT_EQ(plans.startVerify(kIssue).message, "没有可以验证的方案");
    EXPECT_EQ(plans.filterPositions("前二", kIssue).message, "没有启用的用户");
    EXPECT_EQ(plans.takeRootSettings(true, "").value_or(""), "容错设置不正确");
    EXPECT_EQ(plans.takeRootSettings(true, "一个").value_or(""), "容错设置不正确");
    EXPECT_EQ(plans.takeRootSettings(true, "0,1"), std::nullopt);
    EXPECT_EQ(plans.takeRootSettings(false, "一个"), std::nullopt);
    // Taken even when refused, so the user's text is kept with the box.
    EXPECT_EQ(plans.root().toleranceText, "一个");
}

TEST_F(DataBoxFlow, PlanBoxFiltersByThePositionsItFetches) {
    DataBox box(BoxKind::plan, dir_.path());
    box.load(boxPlay(1301));
    box.receiveUsers(threeUsers(), false, false, kIssue);
    box.root().children[1]->enabled = 0;
    BoxStep step = box.filterPositions("前二", kIssue);
    EXPECT_EQ(types(step), std::vector<int>(2, RequestType::PlanPositions));
    EXPECT_EQ(step.promptText, "正在获取用户方案位置，请稍候...");
    EXPECT_EQ(box.root().positionFilter, "前二");
    box.onPlanContentReply(RequestType::PlanPositions, "1|1|UID=11|PID=101|IS=1|POS=12|");
    step = box.onPlanContentReply(RequestType::PlanPositions, "1|1|UID=13|PID=103|IS=1|POS=45|");
    EXPECT_EQ(step.prompt, Prompt::close);
    EXPECT_EQ(box.root().children[0]->positionShown, "前二");
    EXPECT_EQ(box.root().children[2]->positionShown, "-");
    EXPECT_EQ(box.root().children[2]->positions, "后二");

    box.filterPositions("全部", kIssue);
    EXPECT_EQ(box.root().positionFilter, "");
}

TEST_F(DataBoxFlow, TemporaryFilesFollowLotteryAndPlay) {
    DataBox box(BoxKind::plan, dir_.path());
    box.load(boxPlay(1302));
    EXPECT_EQ(box.temporaryFile(), dir_.path() / "PlanTmp_10101302.dat");
    box.receiveUsers(threeUsers(), false, false, kIssue);
    box.switchLotteryPlay(boxPlay(1306, 1011), true);
    EXPECT_TRUE(box.root().children.empty());
    EXPECT_EQ(box.temporaryFile(), dir_.path() / "PlanTmp_10111306.dat");
    box.switchLotteryPlay(boxPlay(1302), true);
    ASSERT_EQ(box.root().children.size(), 3u);
    EXPECT_EQ(box.root().children[1]->name, "乙");

    DataBox editor(BoxKind::plan, dir_.path(), false);
    editor.load(boxPlay(1302));
    EXPECT_TRUE(editor.temporaryFile().empty());
    EXPECT_FALSE(editor.saveTemporaryFile());
    editor.takeRootSettings(false, "", "我的组");
    EXPECT_EQ(editor.root().name, "我的组");
}

}  // namespace
}  // namespace quorstat
