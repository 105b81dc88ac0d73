#include <fmt/format.h>

#include "plan_fixture.h"

namespace quorstat::service {
namespace {

class PlanPagesTest : public PlanServiceTest {
protected:
    void SetUp() override {
        PlanServiceTest::SetUp();
        demo_ = login("demo", "demo123");
    }

    std::string planPage(const std::string& page, const TestSession& session,
                         const std::string& planId) {
        return post(page, prefix(session) + lotteryScope() + "&sUserName=" + session.name +
                              "&Page=1&OnePageNum=0&PlanID=" + planId);
    }
    std::string detail(const TestSession& viewer, const std::string& owner,
                       const std::string& planId) {
        return post("BetPlanDetail.asp",
                    prefix(viewer) + lotteryScope() + "&sUserName=" + owner + "&PlanID=" + planId);
    }
    std::string setShare(const TestSession& session, int share) {
        return post("BetPlanShare.asp", prefix(session) + lotteryScope() +
                                            fmt::format("&ShareSetFlag=1&Share={}", share));
    }
    // The plan with this id in the own list.
    Record planOf(const TestSession& session, const std::string& planId) {
        for (const Record& plan : parseList(ownList(session)).plans)
            if (plan.at("PID") == planId)
                return plan;
        return {};
    }

    TestSession demo_;
};

TEST_F(PlanPagesTest, UploadAnswersWithTheListAndItsSummary) {
    const ListReply list = parseList(upload(demo_));
    ASSERT_EQ(list.status, '1');
    EXPECT_EQ(list.total, 1);
    EXPECT_EQ(list.count, 1);
    EXPECT_FALSE(list.stamp.empty());
    EXPECT_EQ(list.summary.at("LMT"), list.stamp);
    EXPECT_EQ(list.summary.at("TN"), "1");
    EXPECT_EQ(list.summary.at("TNN"), "1");
    EXPECT_EQ(list.summary.at("TNM"), "2.000");
    EXPECT_EQ(list.summary.at("IM"), "14.000");
    EXPECT_EQ(list.summary.at("TM"), "0.000");
    EXPECT_EQ(list.summary.at("CHNS"), "1");
    ASSERT_EQ(list.plans.size(), 1u);
    const Record& plan = list.plans[0];
    const Record expected = {
        {"PID", plan.at("PID")},
        {"UN", "demo"},
        {"LTN", "重庆时时彩"},
        {"LTP", "三星"},
        {"LTT", "单选"},
        {"POS", "123"},
        {"HP", ""},
        {"CP", "2.000"},
        {"BON", "1950.000"},
        {"BM", "0.000"},
        {"BB", "0.000"},
        {"PFT", "0.000"},
        {"I1", "130501024"},
        {"I2", "130501026"},
        {"INS", "3"},
        {"NI", "130501024"},
        {"NIN", "1"},
        {"BN", "1"},
        {"PS", "0"},
        {"MTP", "1,2,4"},
        {"BT", "2013-05-01 09:15:00"},
        {"LMT", list.stamp},
        {"LC", ""},
        {"TXT", "555 "},
    };
    EXPECT_EQ(plan, expected);
}

TEST_F(PlanPagesTest, SettlesRunsAsTheDrawsArrive) {
    ASSERT_NE(front3(130501026), front3(130501024));
    ASSERT_NE(front3(130501026), front3(130501025));
    const std::string back3 = drawOf(130501025).substr(2);
    ASSERT_NE(back3, drawOf(130501024).substr(2));
    ASSERT_NE(back3, front3(130501024));
    ASSERT_NE(back3, front3(130501025));
    const std::string missing = "555 ";
    for (const int issue : {130501024, 130501025, 130501026})
        ASSERT_NE(front3(issue), "555");

    upload(demo_, {{"BetContext", front3(130501026) + " "}});  // hits in its third issue
    upload(demo_, {{"BetContext", missing}});                  // misses all
    upload(demo_, {{"BetContext", missing}});                  // stopped after one issue
    upload(demo_, {{"Position", "123,345"}, {"BetContext", back3 + " "}, {"Multiple", "1,2,4"}});
    std::vector<std::string> ids;
    for (const Record& plan : parseList(ownList(demo_)).plans)
        ids.insert(ids.begin(), plan.at("PID"));
    ASSERT_EQ(ids.size(), 4u);

    setClock("2013-05-01 10:05:00");
    const Record afterOne = planOf(demo_, ids[0]);
    EXPECT_EQ(afterOne.at("PS"), "0");
    EXPECT_EQ(afterOne.at("NIN"), "2");
    EXPECT_EQ(afterOne.at("NI"), "130501025");
    EXPECT_EQ(afterOne.at("BM"), "2.000");
    EXPECT_EQ(afterOne.at("PFT"), "-2.000");
    EXPECT_EQ(parseList(planPage("BetPlanCancel.asp", demo_, ids[2])).status, '1');

    setClock("2013-05-01 10:25:00");
    const Record hit = planOf(demo_, ids[0]);
    EXPECT_EQ(hit.at("PS"), "1");
    EXPECT_EQ(hit.at("NIN"), "3");
    EXPECT_EQ(hit.at("NI"), "130501026");
    EXPECT_EQ(hit.at("HP"), "123");
    EXPECT_EQ(hit.at("LC"), drawOf(130501026));
    EXPECT_EQ(hit.at("BM"), "14.000");
    EXPECT_EQ(hit.at("BB"), "7800.000");
    EXPECT_EQ(hit.at("PFT"), "7786.000");

    const Record missed = planOf(demo_, ids[1]);
    EXPECT_EQ(missed.at("PS"), "2");
    EXPECT_EQ(missed.at("NIN"), "3");
    EXPECT_EQ(missed.at("LC"), drawOf(130501026));
    EXPECT_EQ(missed.at("PFT"), "-14.000");

    const Record stopped = planOf(demo_, ids[2]);
    EXPECT_EQ(stopped.at("PS"), "3");
    EXPECT_EQ(stopped.at("NIN"), "2");
    EXPECT_EQ(stopped.at("BM"), "2.000");
    EXPECT_EQ(stopped.at("LC"), "");

    // Two positions stake twice: 4 + 8 up to its hit at 后三 in the second issue.
    const Record twoPositions = planOf(demo_, ids[3]);
    EXPECT_EQ(twoPositions.at("PS"), "1");
    EXPECT_EQ(twoPositions.at("NIN"), "2");
    EXPECT_EQ(twoPositions.at("HP"), "345");
    EXPECT_EQ(twoPositions.at("BM"), "12.000");
    EXPECT_EQ(twoPositions.at("BB"), "3900.000");

    const Record summary = parseList(ownList(demo_)).summary;
    EXPECT_EQ(summary.at("TN"), "4");
    EXPECT_EQ(summary.at("TNN"), "0");
    EXPECT_EQ(summary.at("TSN"), "2");
    EXPECT_EQ(summary.at("TLN"), "1");
    EXPECT_EQ(summary.at("TCN"), "1");
    EXPECT_EQ(summary.at("RBS"), "66.67");
    EXPECT_EQ(summary.at("TM"), "42.000");
    EXPECT_EQ(summary.at("TB"), "11700.000");
    EXPECT_EQ(summary.at("TP"), "11658.000");
    EXPECT_EQ(summary.at("TNM"), "0.000");
    // Decided in order: two positions (10:10), then hit and missed on 10:20 by plan id.
    EXPECT_EQ(summary.at("CH"), "2");
    EXPECT_EQ(summary.at("CUH"), "1");
    EXPECT_EQ(summary.at("CHN"), "1");
    EXPECT_EQ(summary.at("CHNS"), "0");
}

TEST_F(PlanPagesTest, SettlementCatchesUpAcrossManyIssuesAtOnce) {
    upload(demo_, {{"IssueNum", "5"},
                   {"Issue2", "130501028"},
                   {"Multiple", "1,1,1,1,1"},
                   {"BetContext", front3(130501028) + " "}});
    setClock("2013-05-02 09:00:00");
    const Record plan = parseList(ownList(demo_)).plans.at(0);
    EXPECT_EQ(plan.at("PS"), "1");
    EXPECT_EQ(plan.at("LC"), drawOf(130501028));
}

TEST_F(PlanPagesTest, BetByLocationStoresOnePlanPerPosition) {
    const ListReply list =
        parseList(upload(demo_, {{"Position", "123,234,345"}, {"BetByLocation", "1"}}));
    ASSERT_EQ(list.plans.size(), 3u);
    std::set<std::string> positions;
    for (const Record& plan : list.plans) {
        positions.insert(plan.at("POS"));
        EXPECT_EQ(plan.at("TXT"), "555 ");
    }
    EXPECT_EQ(positions, (std::set<std::string>{"123", "234", "345"}));
    EXPECT_EQ(list.summary.at("TNM"), "6.000");
    EXPECT_EQ(parseList(upload(demo_, {{"Position", "123,234"}})).total, 4);
}

TEST_F(PlanPagesTest, ListsPageByPageAndAnswerTwoWhenUnchanged) {
    for (int i = 0; i < 5; ++i)
        upload(demo_);
    const ListReply all = parseList(ownList(demo_));
    ASSERT_EQ(all.total, 5);
    const std::string body = prefix(demo_) + lotteryScope() + "&Share=0&sUserName=demo";
    const ListReply second = parseList(post("BetPlanList.asp", body + "&Page=2&OnePageNum=2"));
    EXPECT_EQ(second.total, 5);
    ASSERT_EQ(second.count, 2);
    EXPECT_EQ(second.plans[0].at("PID"), all.plans[2].at("PID"));
    EXPECT_EQ(second.summary.at("TN"), "5");
    EXPECT_EQ(parseList(post("BetPlanList.asp", body + "&Page=3&OnePageNum=2")).count, 1);
    EXPECT_EQ(parseList(post("BetPlanList.asp", body + "&Page=9&OnePageNum=2")).count, 0);

    EXPECT_EQ(ownList(demo_, "&LastModifyTime=" + all.stamp), "2|");
    EXPECT_EQ(ownList(demo_, "&LastModifyTime=").substr(0, 2), "1|");
    // A draw that moves the plans on is a change; a clock tick without one is not.
    setClock("2013-05-01 09:30:00");
    EXPECT_EQ(ownList(demo_, "&LastModifyTime=" + all.stamp), "2|");
    setClock("2013-05-01 10:00:30");
    const ListReply settled = parseList(ownList(demo_, "&LastModifyTime=" + all.stamp));
    EXPECT_EQ(settled.status, '1');
    EXPECT_GT(settled.stamp, all.stamp);
}

TEST_F(PlanPagesTest, DeletesOnlyBeforeTheFirstDrawAndStopsOnlyAfterIt) {
    const std::string first = parseList(upload(demo_)).plans.at(0).at("PID");
    const std::string second = parseList(upload(demo_)).plans.at(0).at("PID");
    EXPECT_EQ(planPage("BetPlanCancel.asp", demo_, first), "0|方案还没有开始，请删除方案|");
    const ListReply afterDelete = parseList(planPage("BetPlanDelete.asp", demo_, first));
    EXPECT_EQ(afterDelete.total, 1);
    EXPECT_EQ(planPage("BetPlanDelete.asp", demo_, first), "0|方案不存在|");

    setClock("2013-05-01 10:00:30");
    EXPECT_EQ(planPage("BetPlanDelete.asp", demo_, second), "0|方案已经开始，不能删除|");
    EXPECT_EQ(parseList(planPage("BetPlanCancel.asp", demo_, second)).plans.at(0).at("PS"), "3");
    EXPECT_EQ(planPage("BetPlanCancel.asp", demo_, second), "0|方案已经结束|");
    // A stopped plan plays no more issues.
    setClock("2013-05-01 11:00:00");
    EXPECT_EQ(planOf(demo_, second).at("BM"), "2.000");
}

TEST_F(PlanPagesTest, ClearingEmptiesTheListAndStopsRunningPlans) {
    const Fields twoStars = {
        {"LotteryPlay", "两星"}, {"Position", "12"}, {"Bonus", "195.000"}, {"BetContext", "12 "}};
    upload(demo_, twoStars);
    upload(demo_);
    setClock("2013-05-01 10:00:30");
    const Fields later = {{"Issue1", "130501025"}, {"Issue2", "130501027"}};
    upload(demo_, later);
    const std::string body = prefix(demo_) + lotteryScope();
    EXPECT_EQ(post("BetPlanReset.asp", body + "&Deleted=1"), "0|字段“Deleted”的值不正确|");
    const ListReply cleared = parseList(post("BetPlanReset.asp", body + "&Deleted=2"));
    EXPECT_EQ(cleared.status, '1');
    EXPECT_EQ(cleared.total, 0);
    EXPECT_EQ(cleared.summary.at("TN"), "0");
    EXPECT_EQ(parseList(ownList(demo_)).total, 0);
    EXPECT_EQ(parseList(upload(demo_, later)).total, 1);
    // Other plays keep their plans.
    const std::string twoStarList =
        post("BetPlanList.asp", prefix(demo_) +
                                    "&LotteryName=重庆时时彩&LotteryPlay=两星"
                                    "&LotteryType=单选&Share=0&sUserName=demo&Page=1&OnePageNum=0");
    EXPECT_EQ(parseList(twoStarList).total, 1);
}

TEST_F(PlanPagesTest, OtherUsersSeeSharedPlansOnlyAndManagersSeeAll) {
    addUser("wang", "wang123");
    addUser("boss", "boss123", true);
    const TestSession wang = login("wang", "wang123");
    const TestSession boss = login("boss", "boss123");
    const std::string planId = parseList(upload(demo_, {{"Share", "0"}})).plans.at(0).at("PID");

    EXPECT_EQ(post("BetPlanShare.asp", prefix(demo_) + lotteryScope() + "&ShareSetFlag=0"),
              "1|Share=False");
    EXPECT_EQ(sharedList(wang, "demo"), "0|这个用户没有分享方案|");
    EXPECT_EQ(detail(wang, "demo", planId), "0|方案不存在|");
    EXPECT_EQ(parseList(sharedList(boss, "demo")).total, 1);

    EXPECT_EQ(setShare(demo_, 1), "1|Share=True");
    const ListReply shared = parseList(sharedList(wang, "demo"));
    EXPECT_EQ(shared.total, 1);
    EXPECT_EQ(shared.plans.at(0).at("UN"), "demo");
    const std::string reply = detail(wang, "demo", planId);
    ASSERT_EQ(reply.substr(0, 4), "1|1|");
    const std::vector<Record> plans = parseRecords(reply.substr(reply.find('|', 4) + 1), '$');
    ASSERT_EQ(plans.size(), 1u);
    EXPECT_EQ(plans[0].at("PID"), planId);
    EXPECT_EQ(plans[0].at("TXT"), "555 ");
    // Sharing is per lottery and play.
    EXPECT_EQ(
        post("BetPlanShare.asp", prefix(demo_) + lotteryScope("天津时时彩") + "&ShareSetFlag=0"),
        "1|Share=False");

    EXPECT_EQ(detail(wang, "wang", planId), "0|方案不存在|");
    EXPECT_EQ(planPage("BetPlanCancel.asp", wang, planId), "0|方案不存在|");
    EXPECT_EQ(planPage("BetPlanDelete.asp", wang, planId), "0|方案不存在|");
    EXPECT_EQ(planPage("BetPlanDelete.asp", wang, "x"), "0|字段“PlanID”的值不正确|");
    EXPECT_EQ(post("BetPlanList.asp",
                   prefix(wang) + lotteryScope() + "&Share=0&sUserName=demo&Page=1&OnePageNum=0"),
              "0|不能操作其他用户的方案|");
    EXPECT_EQ(parseList(ownList(demo_)).total, 1);
}

// Every field is checked; a refused upload stores nothing at all.
TEST_F(PlanPagesTest, BadUploadsAreRefusedWithAMessageAndStoreNothing) {
    const struct {
        Fields changes;
        std::string message;
    } cases[] = {
        {{{"sUserName", "wang"}}, "不能为其他用户上传方案"},
        {{{"LotteryType", "和值"}}, "玩法名称不正确"},
        {{{"Position", "12"}}, "投注位置不正确"},
        {{{"Position", "123,123"}}, "投注位置不正确"},
        {{{"Position", "123,"}}, "投注位置不正确"},
        {{{"Position", "前三"}}, "投注位置不正确"},
        {{{"ChipsPrice", "0"}}, "单注金额设置不正确"},
        {{{"ChipsPrice", "2.0001"}}, "单注金额设置不正确"},
        {{{"ChipsPrice", "1001"}}, "单注金额设置不正确"},
        {{{"Bonus", "2.000"}}, "中奖金额设置不正确"},
        {{{"Bonus", "1950.001"}}, "中奖金额范围不正确"},
        {{{"Bonus", "abc"}}, "中奖金额设置不正确"},
        {{{"IssueNum", "0"}}, "字段“IssueNum”的值不正确"},
        {{{"IssueNum", "100"}}, "字段“IssueNum”的值不正确"},
        {{{"Multiple", "1,2"}}, "倍数个数与期数不符"},
        {{{"Multiple", "1,2,4,8"}}, "倍数个数与期数不符"},
        {{{"Multiple", "0,2,4"}}, "第一期的投注倍数不能为0"},
        {{{"Multiple", "1,-2,4"}},
         "单注金额为“元”模式下，倍数范围：0-9999，要提交的方案倍数设置不在允许的范围内"},
        {{{"Multiple", "1,10000,4"}},
         "单注金额为“元”模式下，倍数范围：0-9999，要提交的方案倍数设置不在允许的范围内"},
        {{{"Multiple", "1,,4"}}, "投注倍数不正确"},
        {{{"Multiple", "1,2x,4"}}, "投注倍数不正确"},
        {{{"Issue1", "130501023"}, {"Issue2", "130501025"}}, "投注已截至，请等待下一期"},
        {{{"Issue1", "130430024"}, {"Issue2", "130430026"}}, "投注已截至，请等待下一期"},
        {{{"Issue1", "130503024"}, {"Issue2", "130503026"}}, "投注期号不正确"},
        {{{"Issue1", "130501121"}}, "投注期号不正确"},
        {{{"Issue2", "130501027"}}, "结束期号与期数不符"},
        {{{"BetContext", "55"}}, "投注号码格式不正确"},
        {{{"BetContext", "555 12a "}}, "投注号码格式不正确"},
        {{{"BetContext", ""}}, "没有输入投注数据"},
        {{{"BetNum", "2"}}, "投注注数与号码不符"},
        {{{"BetNum", "x"}}, "字段“BetNum”的值不正确"},
        {{{"BetTime", "2013-05-01"}}, "字段“BetTime”的值不正确"},
        {{{"Share", "2"}}, "字段“Share”的值不正确"},
        {{{"InitMoney", "x"}}, "字段“InitMoney”的值不正确"},
        {{{"OnePageNum", "-1"}}, "字段“OnePageNum”的值不正确"},
        {{{"BetByLocation", "2"}}, "字段“BetByLocation”的值不正确"},
        {{{"Multiple", kOmit}}, "请求缺少字段“Multiple”"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(upload(demo_, c.changes), "0|" + c.message + "|") << c.message;
    EXPECT_EQ(parseList(ownList(demo_)).total, 0);
}

TEST_F(PlanPagesTest, UploadsOfEachPlayFamily) {
    const struct {
        std::string play;
        std::string kind;
        std::string position;
        std::string bonus;
        std::string content;
        std::string count;
        std::string stored;
    } plays[] = {
        {"两星", "单选", "12,45", "195.000", "45 12 ", "2", "12 45 "},
        {"三星", "组选", "234", "325.000", "321 ", "1", "123 "},
        {"五星", "单选", "12345", "195000.000", "30519 ", "1", "30519 "},
        {"三星", "不定位胆", "123", "10.000", "9630", "4", "0369"},
        {"五星", "定位胆", "12345", "20.000", "1:01,3:5", "3", "1:01,3:5"},
    };
    for (const auto& p : plays) {
        const ListReply list = parseList(upload(demo_, {{"LotteryPlay", p.play},
                                                        {"LotteryType", p.kind},
                                                        {"Position", p.position},
                                                        {"Bonus", p.bonus},
                                                        {"BetContext", p.content},
                                                        {"BetNum", p.count}}));
        ASSERT_EQ(list.status, '1') << p.play << p.kind;
        EXPECT_EQ(list.plans.at(0).at("TXT"), p.stored);
        EXPECT_EQ(list.plans.at(0).at("LTT"), p.kind);
    }
    // A 五星 play has the one position 前五; 三星组选 pays at most 325 a bet.
    EXPECT_EQ(upload(demo_, {{"LotteryPlay", "五星"},
                             {"Position", "123"},
                             {"Bonus", "19500.000"},
                             {"BetContext", "30519 "}}),
              "0|投注位置不正确|");
    EXPECT_EQ(
        upload(demo_, {{"LotteryType", "组选"}, {"ChipsPrice", "20.000"}, {"Bonus", "330.000"}}),
        "0|中奖金额范围不正确|");
}

}  // namespace
}  // namespace quorstat::service
