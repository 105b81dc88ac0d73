#include "plan/plan_submission.h"

#include <gtest/gtest.h>

#include <deque>

#include "console/current_scope.h"
#include "plan_test_support.h"
#include "scoped_time_zone.h"

namespace quorstat {
namespace {

constexpr std::time_t kNow = 1367404880;  // 2013-05-01 10:41:20 UTC
constexpr int kOpenIssue = 130501029;

// Answers the questions from a list, Yes when it runs out, and writes down what was asked.
struct ScriptedQuestions : UploadQuestions {
    std::deque<bool> answers;
    std::vector<std::string> asked;

    bool ratioIsRight(double unitCost, double prize) override {
        return answer("ratio " + std::to_string(unitCost) + " " + std::to_string(prize));
    }
    bool startUpload() override { return answer("start"); }
    bool shareFromNowOn() override { return answer("share"); }

    bool answer(std::string question) {
        asked.push_back(std::move(question));
        if (answers.empty())
            return true;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
};

class PlanSubmissionTest : public ::testing::Test {
protected:
    const testing::ScopedTimeZone utc_{"UTC"};
    PlanSubmissionTest() {
        state.userName = "alice";
        state.sessionToken = "T0K";
        state.lotteryId = 1010;
    }

    // The form of a play after 计算, as "提交" reads it.
    UploadForm formFor(int playId, const tagCONFIG_MYPLANDATA& form,
                       std::vector<std::int64_t> multiples) {
        state.playId = playId;
        state.play = playStateFor(playId);
        state.play.currentIssue = kOpenIssue;
        state.play.issuesPerDay = 120;
        record = form;
        record.lotteryId = 1010;
        record.playId = playId;
        UploadForm upload;
        upload.record = &record;
        upload.remainingSeconds = 300;
        upload.multiples = std::move(multiples);
        upload.shared = true;
        upload.serverTime = kNow;
        return upload;
    }

    std::string bodyOf(const UploadDecision& decision) const {
        const RequestCatalogue catalogue(state, [] { return kNow; });
        const auto request = catalogue.planUpload(CurrentScope(state), *decision.plan);
        return request ? request->body : std::string();
    }

    AppState state;
    tagCONFIG_MYPLANDATA record;
    PlanSubmission submission;
    ScriptedQuestions questions;
};

tagCONFIG_MYPLANDATA money(double unitCost, double prize, std::string betNumbers) {
    tagCONFIG_MYPLANDATA form;
    form.unitCost = unitCost;
    form.prize = prize;
    form.betNumbers = std::move(betNumbers);
    return form;
}

TEST_F(PlanSubmissionTest, TheBodyOfEachKindOfPlan) {
    const std::string prefix =
        "UserName=alice&OnLogin=T0K&VF=MjAxMy0wNS0wMSAxMDo0MToyMA&Ontime=2013-05-01 10:41:20"
        "&LotteryName=重庆时时彩";
    const std::string tail = "&BetTime=2013-05-01 10:41:20&Share=1&InitMoney=0&Page=1";
    const UploadForm fiveStars = formFor(1304, money(2, 195000, "12345,54321;12345\n9"), {1, 2});
    const UploadDecision fiveStarPlan = submission.prepare(fiveStars, state.play, questions);
    EXPECT_EQ(bodyOf(fiveStarPlan),
              prefix +
                  "&LotteryPlay=五星&LotteryType=单选&Position=12345&ChipsPrice=2.000"
                  "&Bonus=195000.000&Issue1=130501029&Issue2=130501030&IssueNum=2"
                  "&Multiple=1,2&BetContext=12345 54321 &BetNum=2" +
                  tail + "&OnePageNum=0&sUserName=alice");
    EXPECT_EQ(fiveStarPlan.normalizedNumbers, "12345 54321 ");

    UploadForm positional = formFor(1311, money(2, 19.5, ",,0396,,75"), {1, 9, 87});
    positional.pageSize = 20;
    const UploadDecision positionalPlan = submission.prepare(positional, state.play, questions);
    EXPECT_EQ(bodyOf(positionalPlan),
              prefix +
                  "&LotteryPlay=五星&LotteryType=定位胆&Position=12345&ChipsPrice=2.000"
                  "&Bonus=19.500&Issue1=130501029&Issue2=130501031&IssueNum=3"
                  "&Multiple=1,9,87&BetContext=3:0369,5:57&BetNum=6" +
                  tail + "&OnePageNum=20&sUserName=alice");
    EXPECT_TRUE(positionalPlan.normalizedNumbers.empty());

    UploadForm byLocation = formFor(1305, money(1, 48, "21 12 12 3"), {3});
    byLocation.checkedPositions = {"前二", "后二"};
    byLocation.betByLocation = true;
    byLocation.shared = false;
    const UploadDecision locationPlan = submission.prepare(byLocation, state.play, questions);
    EXPECT_EQ(bodyOf(locationPlan),
              prefix +
                  "&LotteryPlay=两星&LotteryType=组选&Position=12,45&ChipsPrice=1.000"
                  "&Bonus=48.000&Issue1=130501029&Issue2=130501029&IssueNum=1&Multiple=3"
                  "&BetContext=12 &BetNum=1" +
                  tail + "&OnePageNum=0&sUserName=alice&BetByLocation=1");
    EXPECT_EQ(locationPlan.normalizedNumbers, "12 ");
    EXPECT_TRUE(locationPlan.shareChosen);
    // 两星组选 pays at most 48.75 times the cost, always within the ratio question's reach.
    EXPECT_EQ(
        questions.asked,
        (std::vector<std::string>{"start", "start", "ratio 1.000000 48.000000", "start", "share"}));
}

TEST_F(PlanSubmissionTest, TheRatioQuestionComesOncePerRun) {
    // A 胆 play never asks and leaves the question for a number play.
    const UploadForm positional = formFor(1311, money(2, 20, "1"), {1});
    EXPECT_TRUE(submission.prepare(positional, state.play, questions).plan);
    UploadForm lowRatio = formFor(1302, money(2, 600, "123"), {1});
    lowRatio.checkedPositions = {"前三"};
    questions.answers = {false};
    const UploadDecision declined = submission.prepare(lowRatio, state.play, questions);
    EXPECT_FALSE(declined.plan);
    EXPECT_TRUE(declined.message.empty());
    EXPECT_TRUE(submission.prepare(lowRatio, state.play, questions).plan);
    EXPECT_EQ(questions.asked,
              (std::vector<std::string>{"start", "ratio 2.000000 600.000000", "start"}));
}

}  // namespace
}  // namespace quorstat
