#include "plan_fixture.h"

namespace quorstat::service {
namespace {

// demo (id 1) shares a plan on 024-026; wang (id 2) keeps his to himself.
class DataBoxPagesTest : public PlanServiceTest {
protected:
    void SetUp() override {
        PlanServiceTest::SetUp();
        addUser("wang", "secret");
        demo_ = login("demo", "demo123");
        wang_ = login("wang", "secret");
        ASSERT_NE(front3(130501025), front3(130501024));
        demoPlan_ =
            parseList(upload(demo_, {{"BetContext", front3(130501025) + " 555 "}, {"BetNum", "2"}}))
                .plans.at(0)
                .at("PID");
        wangPlan_ = parseList(upload(wang_, {{"Share", "0"}})).plans.at(0).at("PID");
    }

    std::string planContext(const TestSession& session, const std::string& fields) {
        return post("BetPlanContext.asp", prefix(session) + lotteryScope() + fields);
    }
    std::string planStatus(const TestSession& session, const std::string& fields) {
        return post("BetPlanStatus.asp", prefix(session) + lotteryScope() + fields);
    }

    TestSession demo_, wang_;
    std::string demoPlan_, wangPlan_;
};

TEST_F(DataBoxPagesTest, LatestPlanOfAUserForAnIssue) {
    const std::string numbers = std::min(front3(130501025), std::string("555")) + " " +
                                std::max(front3(130501025), std::string("555")) + " ";
    const std::string expected =
        "1|130501024|UID=1|PID=" + demoPlan_ + "|IS=130501024|POS=123|TXT=" + numbers + "|";
    EXPECT_EQ(planContext(wang_, "&UserInfoID=1&Issue=0&ftype=txt"), expected);
    EXPECT_EQ(planContext(wang_, "&UserInfoID=1&Issue=130501026&ftype=txt"),
              "1|130501026|UID=1|PID=" + demoPlan_ + "|IS=130501026|POS=123|TXT=" + numbers + "|");
    EXPECT_EQ(planContext(wang_, "&UserInfoID=1&Issue=0&ftype=pos"),
              "1|130501024|UID=1|PID=" + demoPlan_ + "|IS=130501024|POS=123|");
    // No plan for the issue, or none the caller may see: the user alone.
    EXPECT_EQ(planContext(wang_, "&UserInfoID=1&Issue=130501027&ftype=txt"), "1|130501027|UID=1|");
    EXPECT_EQ(planContext(demo_, "&UserInfoID=2&Issue=0&ftype=txt"), "1|130501024|UID=2|");
    EXPECT_TRUE(planContext(wang_, "&UserInfoID=2&Issue=0&ftype=txt")
                    .starts_with("1|130501024|UID=2|PID=" + wangPlan_ + "|"));
    // After the hit in 025 the plan no longer bets on 026.
    setClock("2013-05-01 10:15:00");
    EXPECT_EQ(planContext(wang_, "&UserInfoID=1&Issue=0&ftype=txt"), "1|130501026|UID=1|");

    EXPECT_EQ(planContext(wang_, "&UserInfoID=9&Issue=0&ftype=txt"), "0|用户不存在|");
    EXPECT_EQ(planContext(wang_, "&UserInfoID=1&Issue=0&ftype=doc"), "0|字段“ftype”的值不正确|");
    EXPECT_EQ(planContext(wang_, "&UserInfoID=1&Issue=130501121&ftype=txt"), "0|期号不正确|");
}

TEST_F(DataBoxPagesTest, StatesOfPlansInAnIssue) {
    EXPECT_EQ(planStatus(wang_, "&UserInfoID=1,2&Issue=130501024"),
              "1|130501024|POS=123|1=$POS=123|2=$");
    setClock("2013-05-01 10:15:00");
    EXPECT_EQ(planStatus(wang_, "&UserInfoID=1,2&Issue=130501024"),
              "1|130501024|POS=123|1=2$POS=123|2=2$");
    EXPECT_EQ(planStatus(wang_, "&UserInfoID=1&Issue=130501025"), "1|130501025|POS=123|1=1$");
    EXPECT_EQ(planStatus(demo_, "&UserInfoID=2&Issue=130501025"), "1|130501025|");
    EXPECT_EQ(planStatus(wang_, "&PlanID=" + demoPlan_ + "&Issue=130501025"),
              "1|130501025|POS=123|" + demoPlan_ + "=1$");
    EXPECT_EQ(planStatus(demo_, "&PlanID=" + wangPlan_ + "&Issue=130501025"), "1|130501025|");
    EXPECT_EQ(planStatus(wang_, "&PlanID=" + demoPlan_ + "&Issue=130501026"), "1|130501026|");

    EXPECT_EQ(planStatus(wang_, "&UserInfoID=1,x&Issue=130501025"), "0|用户编号不正确|");
    EXPECT_EQ(planStatus(wang_, "&UserInfoID=1,&Issue=130501025"), "0|用户编号不正确|");
    EXPECT_EQ(planStatus(wang_, "&PlanID=-3&Issue=130501025"), "0|方案编号不正确|");
    EXPECT_EQ(planStatus(wang_, "&UserInfoID=1,7&Issue=130501025"), "0|用户不存在|");
}

}  // namespace
}  // namespace quorstat::service
