#include <fmt/format.h>

#include <algorithm>

#include "plan_fixture.h"

namespace quorstat::service {
namespace {

// At 10:25 on 2013-05-01, on 重庆 三星单选:
//   demo  one plan hit in its third issue, one missed
//   wang  one plan waiting in its fourth of five issues, one hit
//   li    two plans of two numbers missed, one stopped after its first issue
//   zhao  plans on 两星 only
// demo follows wang and zhao; li follows demo.
class UserListTest : public PlanServiceTest {
protected:
    void SetUp() override {
        PlanServiceTest::SetUp();
        for (const char* name : {"wang", "li", "zhao"})
            addUser(name, "secret");
        demo_ = login("demo", "demo123");
        wang_ = login("wang", "secret");
        li_ = login("li", "secret");
        zhao_ = login("zhao", "secret");
        const std::string hit = front3(130501026) + " ";
        upload(demo_, {{"BetContext", hit}});
        upload(demo_, {{"Share", "0"}});
        upload(wang_, {{"IssueNum", "5"}, {"Issue2", "130501028"}, {"Multiple", "1,1,1,1,1"}});
        upload(wang_, {{"BetContext", hit}});
        const Fields twoNumbers = {{"BetContext", "111 555 "}, {"BetNum", "2"}};
        upload(li_, twoNumbers);
        upload(li_, twoNumbers);
        const std::string stopped = parseList(upload(li_, twoNumbers)).plans.at(0).at("PID");
        upload(zhao_, {{"LotteryPlay", "两星"},
                       {"Position", "12"},
                       {"Bonus", "195.000"},
                       {"BetContext", "12 "}});
        follow(demo_, "wang");
        follow(demo_, "zhao");
        follow(li_, "demo");
        setClock("2013-05-01 10:05:00");
        post("BetPlanCancel.asp",
             prefix(li_) + lotteryScope() + "&sUserName=li&Page=1&OnePageNum=0&PlanID=" + stopped);
        setClock("2013-05-01 10:25:00");
    }

    void follow(const TestSession& session, const std::string& name, int act = 1) {
        post("BetAttentionUser.asp", prefix(session) + "&AttenUserName=" + name + "&UserInfoID=0" +
                                         lotteryScope() + fmt::format("&AttentionAct={}", act));
    }

    std::string userList(const std::string& options, const TestSession* session = nullptr) {
        return post("BetUserInfoList.asp", prefix(session ? *session : demo_) + lotteryScope() +
                                               "&Page=1&OnePageNum=20" + options +
                                               "&FactorCycle=256");
    }

    struct UserReply {
        char status = 0;
        int total = 0;
        int count = 0;
        std::string stamp;
        std::vector<Record> users;
    };
    static UserReply parseUsers(const std::string& reply) {
        UserReply result;
        result.status = reply.empty() ? 0 : reply[0];
        std::string_view rest =
            std::string_view(reply).substr(std::min<std::size_t>(2, reply.size()));
        std::string head[3];
        for (std::string& field : head) {
            const std::size_t bar = rest.find('|');
            if (bar == std::string_view::npos)
                return result;
            field = rest.substr(0, bar);
            rest.remove_prefix(bar + 1);
        }
        result.total = std::stoi(head[0]);
        result.count = std::stoi(head[1]);
        result.stamp = head[2];
        result.users = parseRecords(rest, '$');
        return result;
    }
    std::vector<std::string> names(const std::string& options) {
        std::vector<std::string> result;
        for (const Record& user : parseUsers(userList(options)).users)
            result.push_back(user.at("UN"));
        return result;
    }
    Record userNamed(const std::string& name, const std::string& options = "&Attention=0") {
        for (const Record& user : parseUsers(userList(options + "&TopOwn=0")).users)
            if (user.at("UN") == name)
                return user;
        return {};
    }

    TestSession demo_, wang_, li_, zhao_;
};

using Names = std::vector<std::string>;

TEST_F(UserListTest, FiguresOfEachUser) {
    const Record demo = userNamed("demo");
    EXPECT_EQ(demo.at("LTN"), "重庆时时彩");
    EXPECT_EQ(demo.at("LTP"), "三星");
    EXPECT_EQ(demo.at("LTT"), "单选");
    EXPECT_EQ(demo.at("SH"), "False");
    EXPECT_EQ(demo.at("TN"), "2");
    EXPECT_EQ(demo.at("TSN"), "1");
    EXPECT_EQ(demo.at("TLN"), "1");
    EXPECT_EQ(demo.at("RBS"), "50.00");
    EXPECT_EQ(demo.at("PP"), "3886.00");
    EXPECT_EQ(demo.at("RBP"), "27757.14");
    EXPECT_EQ(demo.at("BF"), "16.67");
    EXPECT_EQ(demo.at("AT"), "0");

    const Record wang = userNamed("wang");
    EXPECT_EQ(wang.at("SH"), "True");
    EXPECT_EQ(wang.at("TNN"), "1");
    EXPECT_EQ(wang.at("INS"), "5");
    EXPECT_EQ(wang.at("NIN"), "4");
    EXPECT_EQ(wang.at("IM"), "4.000");
    EXPECT_EQ(wang.at("PP"), "3890.00");
    EXPECT_EQ(wang.at("BF"), "33.33");
    EXPECT_EQ(wang.at("AT"), "1");

    const Record li = userNamed("li");
    EXPECT_EQ(li.at("TN"), "3");
    EXPECT_EQ(li.at("TCN"), "1");
    EXPECT_EQ(li.at("AN"), "2");
    EXPECT_EQ(li.at("PP"), "-20.00");
    EXPECT_EQ(li.at("RBP"), "-100.00");
    EXPECT_EQ(li.at("BF"), "0.00");

    // The stability of the current plans looks at wang's waiting plan only: 2 of 5 issues left.
    const std::string current =
        post("BetUserInfoList.asp", prefix(demo_) + lotteryScope() +
                                        "&Page=1&OnePageNum=20&TopOwn=0&Attention=0&FactorCycle=0");
    for (const Record& user : parseUsers(current).users)
        EXPECT_EQ(user.at("BF"), user.at("UN") == "wang" ? "40.00" : "0.00") << user.at("UN");
}

TEST_F(UserListTest, OrdersByEveryColumnBothWays) {
    const std::pair<std::string, std::string> columns[] = {
        {"UserName", "UN"},           {"BetTotalNum", "TN"},         {"IssueNum", "INS"},
        {"BetTotalNowNum", "TNN"},    {"BetTotalSuccessNum", "TSN"}, {"BetTotalLossNum", "TLN"},
        {"BetTotalCancelNum", "TCN"}, {"BetAverageNum", "AN"},       {"RateOfBetSuccess", "RBS"},
        {"BetPerProfit", "PP"},       {"RateOfBetProfit", "RBP"},    {"BetFactor", "BF"},
    };
    for (const auto& [column, tag] : columns) {
        for (const std::string direction : {"ASC", "DESC"}) {
            const std::vector<Record> users =
                parseUsers(
                    userList("&Orderby=" + column + " " + direction + "&TopOwn=0&Attention=0"))
                    .users;
            ASSERT_EQ(users.size(), 3u) << column;
            std::set<std::string> distinct;
            for (std::size_t i = 0; i < users.size(); ++i) {
                distinct.insert(users[i].at(tag));
                if (i == 0)
                    continue;
                const std::string& a = users[i - 1].at(tag);
                const std::string& b = users[i].at(tag);
                const int order =
                    tag == "UN" ? a.compare(b)
                                : (std::stod(a) < std::stod(b) ? -1 : std::stod(a) > std::stod(b));
                if (order == 0)
                    EXPECT_LT(users[i - 1].at("UN"), users[i].at("UN")) << column;
                else
                    EXPECT_EQ(order < 0, direction == "ASC") << column << " " << direction;
            }
            EXPECT_GT(distinct.size(), 1u) << column << " orders nothing apart";
        }
    }
    EXPECT_EQ(names("&Orderby=RateOfBetSuccess DESC&TopOwn=0&Attention=0"),
              (Names{"wang", "demo", "li"}));
    EXPECT_EQ(names("&Orderby=BetTotalNum ASC&TopOwn=0&Attention=0"),
              (Names{"demo", "wang", "li"}));
    // Without an order the users with running plans come first.
    EXPECT_EQ(names("&TopOwn=0&Attention=0").front(), "wang");
}

TEST_F(UserListTest, TopOwnAndTheFollowModes) {
    EXPECT_EQ(names("&Orderby=RateOfBetSuccess DESC&TopOwn=1&Attention=0"),
              (Names{"demo", "wang", "li"}));
    EXPECT_EQ(names("&Orderby=UserName ASC&TopOwn=0&Attention=1"), (Names{"wang", "zhao"}));
    EXPECT_EQ(names("&Orderby=UserName ASC&TopOwn=0&Attention=2"), (Names{"li"}));
    const Record zhao = userNamed("zhao", "&Attention=1");
    EXPECT_EQ(zhao.at("TN"), "0");
    EXPECT_EQ(zhao.at("AT"), "1");
}

TEST_F(UserListTest, FiltersInTheConditionLanguage) {
    const std::string base = "&Orderby=UserName ASC&TopOwn=0&Attention=0";
    const std::pair<std::string, Names> cases[] = {
        {"&BetTotalNum=大等于|3", {"li"}},
        {"&BetTotalNum=大等于|2#小等于|2", {"demo", "wang"}},
        {"&BetTotalNum=小于|2", {}},
        {"&IssueNum=等于|5", {"wang"}},
        {"&BetTotalNowNum=等于|0", {"demo", "li"}},
        {"&BetAverageNum=大于|1", {"li"}},
        {"&RateOfBetSuccess=大于|40.00", {"demo", "wang"}},
        {"&RateOfBetSuccess=等于|50.00", {"demo"}},
        {"&BetPerProfit=小于|0.00", {"li"}},
        {"&RateOfBetProfit=大等于|-100.00#小等于|30000.00", {"demo", "li"}},
        {"&sUserName=an", {"wang"}},
        {"&sUserName=i&BetTotalNum=等于|3", {"li"}},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(names(base + filter), expected) << filter;
    const UserReply filtered = parseUsers(userList(base + "&BetTotalNum=大等于|2"));
    EXPECT_EQ(filtered.total, 3);
}

TEST_F(UserListTest, PagesAndStamps) {
    const std::string body = prefix(demo_) + lotteryScope() +
                             "&Orderby=UserName ASC&TopOwn=0&Attention=0&FactorCycle=256";
    const UserReply second = parseUsers(post("BetUserInfoList.asp", body + "&Page=2&OnePageNum=2"));
    EXPECT_EQ(second.total, 3);
    ASSERT_EQ(second.count, 1);
    EXPECT_EQ(second.users.at(0).at("UN"), "wang");

    const UserReply all = parseUsers(userList("&TopOwn=0&Attention=0"));
    ASSERT_FALSE(all.stamp.empty());
    const std::string unchanged = "&TopOwn=0&Attention=0&LastModifyTime=" + all.stamp;
    EXPECT_EQ(userList(unchanged), "2|");
    // Following changes the follower's list and the followee's, nobody else's.
    follow(demo_, "li");
    const UserReply afterFollow = parseUsers(userList(unchanged));
    ASSERT_EQ(afterFollow.status, '1');
    EXPECT_EQ(userList("&TopOwn=0&Attention=0&LastModifyTime=" + afterFollow.stamp), "2|");
    const std::string wangsStamp = parseUsers(userList("&TopOwn=0&Attention=0", &wang_)).stamp;
    follow(demo_, "li", 0);
    EXPECT_EQ(userList("&TopOwn=0&Attention=0&LastModifyTime=" + wangsStamp, &wang_), "2|");
    // Anybody's plans changing on the board changes the list.
    upload(zhao_, {{"Issue1", "130501027"}, {"Issue2", "130501029"}});
    EXPECT_EQ(userList("&TopOwn=0&Attention=0&LastModifyTime=" + wangsStamp, &wang_)[0], '1');
}

TEST_F(UserListTest, RefusesMalformedRequests) {
    const std::pair<std::string, std::string> cases[] = {
        {"&Orderby=Bad ASC&TopOwn=0&Attention=0", "排序条件不正确"},
        {"&Orderby=UserName DOWN&TopOwn=0&Attention=0", "排序条件不正确"},
        {"&Orderby=UserName&TopOwn=0&Attention=0", "排序条件不正确"},
        {"&TopOwn=0&Attention=3", "字段“Attention”的值不正确"},
        {"&TopOwn=2&Attention=0", "字段“TopOwn”的值不正确"},
        {"&TopOwn=0&Attention=0&BetTotalNum=大于5", "筛选条件不正确"},
        {"&TopOwn=0&Attention=0&BetTotalNum=大于|1.5", "筛选条件不正确"},
        {"&TopOwn=0&Attention=0&sUserName=", "没有输入用户名"},
    };
    for (const auto& [options, message] : cases)
        EXPECT_EQ(userList(options), "0|" + message + "|") << options;
    EXPECT_EQ(post("BetUserInfoList.asp", prefix(demo_) + lotteryScope() +
                                              "&Page=1&OnePageNum=20&TopOwn=0&Attention=0"
                                              "&FactorCycle=257"),
              "0|字段“FactorCycle”的值不正确|");
}

}  // namespace
}  // namespace quorstat::service
