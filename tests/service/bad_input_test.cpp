#include <httplib.h>

#include <random>

#include "core/text_codec.h"
#include "service/draw_maker.h"
#include "service_fixture.h"

namespace quorstat::service {
namespace {

using BadInputTest = ServiceTest;

TEST_F(BadInputTest, UnknownPagesAndPaths) {
    const TestSession demo = login("demo", "demo123");
    EXPECT_EQ(post("BetNothing.asp", prefix(demo)), "0|请求的页面不存在|");
    httplib::Client client("127.0.0.1", app_->port());
    for (const char* path : {"/BetInfo1/release/BetFlashTime.asp", "/BetInfo1/other/x.asp", "/"}) {
        const auto result = client.Get(path);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 404) << path;
        EXPECT_EQ(FromAnsi(result->body), "0|请求的页面不存在|") << path;
    }
}

TEST_F(BadInputTest, BodiesThatAreNotGbkAreRefused) {
    const TestSession demo = login("demo", "demo123");
    const std::string valid = ToAnsi(prefix(demo) + "&Ver=" + base64("2.8.1"));
    EXPECT_EQ(postRaw("BetFlashTime.asp", valid).substr(0, 2), "1|");
    for (const std::string& bad : {valid + "&x=\x81\x20", valid + "&x=\xD6", valid + "\xFF"})
        EXPECT_EQ(postRaw("BetFlashTime.asp", bad), "0|请求数据含有无效的字符|");
}

TEST_F(BadInputTest, OversizedBodiesAreRefusedAndTheServiceGoesOn) {
    ServiceOptions options = defaultOptions();
    options.maxBodyBytes = 4096;
    restartService(options);
    EXPECT_EQ(postRaw("BetFlashTime.asp", std::string(4096, 'x')), "0|请求缺少字段“Ontime”|");
    EXPECT_EQ(postStatus("BetFlashTime.asp", std::string(4097, 'x')), 413);
    EXPECT_EQ(postRaw("BetFlashTime.asp", std::string(100000, 'x')), "0|请求数据过长|");
    const TestSession demo = login("demo", "demo123");
    EXPECT_EQ(post("BetFlashTime.asp", prefix(demo) + "&Ver=" + base64("2.8.1")),
              "1|0|1|2013-05-01 09:15:00");
}

// Bodies glued together from pieces of real ones, over every page: each reply is a reply of
// the grammar, and afterwards the service still works.
TEST_F(BadInputTest, GarbledBodiesNeverBreakTheService) {
    addUser("boss", "boss123", true);
    const TestSession boss = login("boss", "boss123");
    const std::string pieces[] = {prefix(boss),
                                  timeToken(),
                                  "&",
                                  "=",
                                  "&&",
                                  "==",
                                  "UserName=boss",
                                  "&OnLogin=",
                                  boss.token,
                                  "&Ver=" + base64("2.8.1"),
                                  "&Lotteryname=重庆时时彩",
                                  "&Issue=",
                                  "&IssueNum=",
                                  "-1",
                                  "99999999999999999999",
                                  "0",
                                  "&TempletID=",
                                  "&sUserName=boss",
                                  "&LastModifyTime=",
                                  "&Act=",
                                  "&Name=QQWndFilter",
                                  "&SetUp=",
                                  "&AttentionAct=",
                                  "&AttenUserName=demo",
                                  "&UserInfoID=",
                                  "|",
                                  "$",
                                  "#",
                                  "系统模板",
                                  "%00",
                                  "\t",
                                  "&TempletName=",
                                  "&Win=",
                                  "&Loss=",
                                  "&Sort=",
                                  "&DispCode=True",
                                  "&ModifyTime=",
                                  "&Username=boss&Password=" + std::string(16, 'a'),
                                  "&LotteryPlay=三星",
                                  "&LotteryType=单选",
                                  "&Position=123,",
                                  "&ChipsPrice=2.000",
                                  "&Bonus=1950.000",
                                  "&Issue1=130501024",
                                  "&Issue2=130501026",
                                  "&Multiple=1,2,",
                                  "&BetContext=555 ",
                                  "&BetNum=1",
                                  "&BetTime=2013-05-01 09:15:00",
                                  "&Share=1",
                                  "&Page=1",
                                  "&OnePageNum=",
                                  "&PlanID=",
                                  "&Deleted=2",
                                  "&ShareSetFlag=",
                                  "&Orderby=UserName ",
                                  "&BetTotalNum=大等于|",
                                  "&TopOwn=1&Attention=",
                                  "&FactorCycle=",
                                  "&TOP100=week",
                                  "&ftype=txt",
                                  "&BetByLocation=1"};
    const char* pages[] = {
        "BetUserLogin.asp",     "BetFlashTime.asp",     "BetFlashLotteryTime.asp",
        "BetLotteryData.asp",   "BetTempletList.asp",   "BetTempletUp.asp",
        "BetTempletDelete.asp", "BetTempletChange.asp", "BetTempletDetail.asp",
        "BetSetup.asp",         "BetGetUserInfoID.asp", "BetAttentionUser.asp",
        "BetPlanInfoUp.asp",    "BetPlanList.asp",      "BetPlanCancel.asp",
        "BetPlanDelete.asp",    "BetPlanReset.asp",     "BetPlanDetail.asp",
        "BetPlanShare.asp",     "BetUserInfoList.asp",  "BetTOP100Rank.asp",
        "BetTOP100Online.asp",  "BetTOP100Fans.asp",    "BetPlanContext.asp",
        "BetPlanStatus.asp"};
    std::mt19937 random(12345);
    for (int round = 0; round < 1000; ++round) {
        std::string body;
        const int count = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < count; ++i)
            body += pieces[std::uniform_int_distribution<std::size_t>(
                0, std::size(pieces) - 1)(random)];
        const char* page = pages[round % std::size(pages)];
        const std::string reply = post(page, body);
        ASSERT_TRUE(reply.size() >= 2 && std::string("0124").find(reply[0]) != std::string::npos &&
                    reply[1] == '|')
            << page << " " << body << " -> " << reply;
    }
    const TestSession demo = login("demo", "demo123");
    EXPECT_EQ(post("BetGetUserInfoID.asp", prefix(demo) + lotteryScope()), "1|1");
}

TEST_F(BadInputTest, BannerPagesShowTheLatestDraws) {
    const std::string day = get("/html/BetImage.html?_t=123456");
    EXPECT_NE(day.find("最新开奖"), std::string::npos);
    EXPECT_NE(day.find("<td>重庆时时彩<br>第130501023期 <b>" +
                       DrawMaker::digitsFor(7, 1010, 130501023) + "</b></td>"),
              std::string::npos)
        << day;
    EXPECT_NE(day.find("<td>新疆时时彩<br>第130430096期 <b>"), std::string::npos);
    const std::string evening = get("/html/BetImageOne.html?_t=9");
    EXPECT_NE(evening.find("晚间开奖进行中"), std::string::npos);
    EXPECT_NE(evening.find("charset=GB18030"), std::string::npos);
}

TEST_F(BadInputTest, ReleaseListsStartWithTheirVersion) {
    ServiceOptions options = defaultOptions();
    options.releaseVersion2 = "2.9.0";
    restartService(options);
    httplib::Client client("127.0.0.1", app_->port());
    const struct {
        const char* path;
        const char* text;
    } lists[] = {{"/BetUpdate/Package1/DetailList.zip", "2.8.1\r\nQuorlan\r\nQuorstat\r\n"},
                 {"/BetUpdate/Package2/DetailList.zip", "2.9.0\r\nQuorlan\r\nQuorstat\r\n"}};
    for (const auto& list : lists) {
        const auto result = client.Get(list.path);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(result->body, list.text);
        EXPECT_EQ(result->get_header_value("Content-Length"),
                  std::to_string(std::string_view(list.text).size()));
    }
}

}  // namespace
}  // namespace quorstat::service
