#include "net/login_rules.h"

#include <gtest/gtest.h>

namespace quorstat {
namespace {

TEST(LoginInput, CountsLimitsInAnsiBytes) {
    struct Case {
        std::string user;
        std::string password;
        std::optional<std::string> message;
    } cases[] = {
        {"demo", "demo123", std::nullopt},
        {"", "x", "用户名输入不正确"},
        {"一二三四五六七八", "x", std::nullopt},          // 16 bytes
        {"一二三四五六七八九", "x", "用户名输入不正确"},  // 18 bytes
        {"abcdefghijklmnopq", "x", "用户名输入不正确"},   // 17 bytes
        {"demo", "", "密码名输入不正确"},
        {"demo", std::string(20, 'p'), std::nullopt},
        {"demo", std::string(21, 'p'), "密码名输入不正确"},
        {"demo", "密码密码密码密码密码a", "密码名输入不正确"},  // 21 bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckLoginInput(c.user, c.password), c.message) << c.user << " / " << c.password;
    EXPECT_EQ(RemoveSpaces(" de m o "), "demo");
}

TEST(LoginReply, ReadsTokenAndTailValues) {
    struct Case {
        const char* reply;
        LoginReply::Outcome outcome;
        const char* text;  // token when accepted, message otherwise
        int tailPersonal;
        int tailMode;
        bool adminMenus;
    } cases[] = {
        {"1|TOKEN|", LoginReply::Outcome::Accepted, "TOKEN", 0, 0, false},
        {"1|T|x|PGpMsgTail=4&CGpMsgTail=3&CGpMsgTailNo=1&DM=1&", LoginReply::Outcome::Accepted, "T",
         4, 2, true},
        {"1|T|x|CGpMsgTail=0&CGpMsgTailNo=1", LoginReply::Outcome::Accepted, "T", 0, 0, false},
        {"1|T|x|CGpMsgTail=3&CGpMsgTailNo=2&DM=0", LoginReply::Outcome::Accepted, "T", 0, 3, false},
        {"1|T|x|&&=&junk&PGpMsgTail=abc", LoginReply::Outcome::Accepted, "T", 0, 0, false},
        {"0|用户名或密码错误|", LoginReply::Outcome::Refused, "用户名或密码错误", 0, 0, false},
        {"", LoginReply::Outcome::Failed, "登录失败，请重试", 0, 0, false},
        {"1|TOKEN", LoginReply::Outcome::Failed, "登录失败，请重试", 0, 0, false},
        {"1||", LoginReply::Outcome::Failed, "登录失败，请重试", 0, 0, false},
        {"1", LoginReply::Outcome::Failed, "登录失败，请重试", 0, 0, false},
    };
    for (const auto& c : cases) {
        const LoginReply reply = ParseLoginReply(c.reply);
        EXPECT_EQ(reply.outcome, c.outcome) << c.reply;
        EXPECT_EQ(reply.outcome == LoginReply::Outcome::Accepted ? reply.token : reply.message,
                  c.text)
            << c.reply;
        EXPECT_EQ(reply.tailPersonal, c.tailPersonal) << c.reply;
        EXPECT_EQ(reply.tailMode, c.tailMode) << c.reply;
        EXPECT_EQ(reply.adminMenus, c.adminMenus) << c.reply;
    }
}

TEST(SavedAccountList, KeepsOneEntryPerNameNewestLast) {
    SavedAccounts accounts;
    RememberAccount(accounts, "alice", "pa", true, false);
    RememberAccount(accounts, "bob", "pb", false, false);
    RememberAccount(accounts, "alice", "pa2", true, true);
    ASSERT_EQ(accounts.entries.size(), 2u);
    EXPECT_EQ(accounts.entries[0], (tagCONFIG_LONIN{"bob", ""}));
    EXPECT_EQ(accounts.entries[1], (tagCONFIG_LONIN{"alice", "pa2"}));
    EXPECT_TRUE(accounts.rememberPassword);
    EXPECT_TRUE(accounts.autoLogin);

    RememberAccount(accounts, "carol", "pc", true, false);
    EXPECT_EQ(AccountMenuNames(accounts, "alice"), (std::vector<std::string>{"carol", "bob"}));
    EXPECT_EQ(AccountMenuNames(SavedAccounts{}, "alice"), std::vector<std::string>{});
}

}  // namespace
}  // namespace quorstat
