#include "service_fixture.h"

namespace quorstat::service {
namespace {

constexpr const char* kDefaultFilter =
    "TXMenuWindow#QQ#消息盒子#电脑管家#桌面快捷清理#腾讯新闻#验证消息#每日精选#消息管理器#"
    "腾讯视频#FaceSelector#LivePropsWnd#视频通话#加速小火箭#加速工具#通用加速#游戏加速##";
constexpr const char* kDefaultIntervals =
    "RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=10#"
    "RefOwnPlanAfterBetNum=5#";

class SetupPagesTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        addUser("boss", "boss123", true);
        demo_ = login("demo", "demo123");
        boss_ = login("boss", "boss123");
    }

    std::string read(const TestSession& session, const std::string& name,
                     const std::string& stamp = "") {
        return post("BetSetup.asp",
                    prefix(session) + "&Act=0&Name=" + name + "&ModifyTime=" + stamp);
    }
    std::string write(const TestSession& session, const std::string& name,
                      const std::string& value) {
        return post("BetSetup.asp", prefix(session) + "&Act=2&Name=" + name + "&SetUp=" + value +
                                        "&ModifyTime=2024-06-01 08:30:00");
    }

    TestSession demo_;
    TestSession boss_;
};

TEST_F(SetupPagesTest, ReadsBothSettingsWithTheirStamps) {
    EXPECT_EQ(read(demo_, "QQWndFilter"), std::string("1|SetUp=") + kDefaultFilter +
                                              "|ModifyTime=2015-11-06 00:00:00|"
                                              "Remark=QQ群发窗口筛选|Allow=0|");
    EXPECT_EQ(read(boss_, "SystemTimeInterval"),
              std::string("1|SetUp=") + kDefaultIntervals +
                  "|ModifyTime=2015-11-06 00:00:00|Remark=系统时间间隔|Allow=1|");
    EXPECT_EQ(read(demo_, "QQWndFilter", "2015-11-06 00:00:00"), "2|");
    EXPECT_EQ(read(demo_, "QQWndFilter", "2015-11-05 00:00:00").substr(0, 9), "1|SetUp=T");
}

TEST_F(SetupPagesTest, OnlyManagersWrite) {
    EXPECT_EQ(write(demo_, "QQWndFilter", "A#B#"), "0|没有管理权限|");
    EXPECT_EQ(write(demo_, "SystemTimeInterval", kDefaultIntervals), "0|没有管理权限|");
    EXPECT_EQ(read(demo_, "QQWndFilter", "2015-11-06 00:00:00"), "2|");

    EXPECT_EQ(write(boss_, "QQWndFilter", "A#群聊 %41=1##"), "1");
    EXPECT_EQ(
        read(demo_, "QQWndFilter", "2015-11-06 00:00:00"),
        "1|SetUp=A#群聊 %41=1##|ModifyTime=2015-11-06 00:00:01|Remark=QQ群发窗口筛选|Allow=0|");
    EXPECT_EQ(read(demo_, "QQWndFilter", "2015-11-06 00:00:01"), "2|");
    const std::string intervals =
        "RefOwnPlanAfterBetNum=20#RefServerTime=60#RefBetNum=30#"
        "RefUserList=30#RefPlanList=60#RefFansCount=180#RefTopHtml=5#";
    EXPECT_EQ(write(boss_, "SystemTimeInterval", intervals), "1");
    EXPECT_EQ(
        read(demo_, "SystemTimeInterval"),
        "1|SetUp=" + intervals + "|ModifyTime=2015-11-06 00:00:02|Remark=系统时间间隔|Allow=0|");
}

TEST_F(SetupPagesTest, RefusesIntervalsOutOfRangeAndUnusableValues) {
    const char* bad[] = {
        "RefServerTime=61#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=10#"
        "RefOwnPlanAfterBetNum=5#",
        "RefServerTime=30#RefBetNum=9#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=10#"
        "RefOwnPlanAfterBetNum=5#",
        "RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=31#"
        "RefOwnPlanAfterBetNum=5#",
        "RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml="
        "10#",
        "RefServerTime=30#RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount="
        "60#RefTopHtml=10#RefOwnPlanAfterBetNum=5#",
        "RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=10#"
        "RefOwnPlanAfterBetNum=5#Other=1#",
        "RefServerTime=3x#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=10#"
        "RefOwnPlanAfterBetNum=5#",
        "RefServerTime#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#RefTopHtml=10#"
        "RefOwnPlanAfterBetNum=5#",
        "",
    };
    for (const char* value : bad)
        EXPECT_EQ(write(boss_, "SystemTimeInterval", value), "0|设置不正确|") << value;
    EXPECT_EQ(write(boss_, "QQWndFilter", "A|B#"), "0|窗口名称不能包含竖线“｜”|");
    EXPECT_EQ(write(boss_, "QQWndFilter", std::string(4001, 'w')), "0|设置内容超长|");
    EXPECT_EQ(read(demo_, "SystemTimeInterval", "2015-11-06 00:00:00"), "2|");
    EXPECT_EQ(read(demo_, "QQWndFilter", "2015-11-06 00:00:00"), "2|");
}

TEST_F(SetupPagesTest, RefusesUnknownActionsAndNames) {
    EXPECT_EQ(post("BetSetup.asp", prefix(boss_) + "&Act=1&Name=QQWndFilter&ModifyTime="),
              "0|字段“Act”的值不正确|");
    EXPECT_EQ(post("BetSetup.asp", prefix(boss_) + "&Act=0&Name=Other&ModifyTime="),
              "0|设置名称不正确|");
    EXPECT_EQ(post("BetSetup.asp", prefix(boss_) + "&Act=0&Name=QQWndFilter"),
              "0|请求缺少字段“ModifyTime”|");
    EXPECT_EQ(post("BetSetup.asp", prefix(boss_) + "&Act=2&Name=QQWndFilter&ModifyTime=x"),
              "0|请求缺少字段“SetUp”|");
}

}  // namespace
}  // namespace quorstat::service
