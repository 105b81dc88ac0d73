#include <map>

#include "service_fixture.h"

namespace quorstat::service {
namespace {

constexpr const char* kSystemRecord =
    "TempletID=1|Sort=0|UserName=|TempletName=系统模板|SignName=Norvane|Win=中|Loss=挂|"
    "Wait=等待|Remark=Norvane|DispCode=True|DispSuccessRatio=True|DispMultiple=True|"
    "DispProjectDown=True|DispIssueNum=True|DispProfit=True|DispProfitCollect=True|DispHit=True|"
    "DispHitNow=True|DispLotteryName=True|TempletStatus={}|DispCountNum=0|DispPosition=True|";

class TemplatePagesTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        addUser("bob", "bob123");
        addUser("boss", "boss123", true);
        bob_ = login("bob", "bob123");
    }

    static std::string systemRecord(bool inUse) {
        std::string record = kSystemRecord;
        record.replace(record.find("{}"), 2, inUse ? "True" : "False");
        return record;
    }

    // The fields of an upload in the client's order; `changes` replaces or, with an empty
    // replacement name, removes fields.
    static std::string uploadFields(int templateId,
                                    const std::map<std::string, std::string>& changes = {}) {
        const std::pair<std::string, std::string> fields[] = {
            {"TempletID", std::to_string(templateId)},
            {"TempletName", "我的模板"},
            {"SignName", "@USERNAME"},
            {"Win", "中了"},
            {"Loss", "挂了"},
            {"Wait", "等开"},
            {"DispCode", "True"},
            {"DispSuccessRatio", "False"},
            {"DispMultiple", "1"},
            {"DispProjectDown", "0"},
            {"DispIssueNum", "True"},
            {"DispProfit", "True"},
            {"DispProfitCollect", "False"},
            {"DispPosition", "True"},
            {"DispHit", "False"},
            {"DispHitNow", "True"},
            {"DispCountNum", "0"},
            {"Sort", "1"},
            {"Remark", "祝君好运"},
            {"ModifyTime", "2024-06-01 08:30:00"},
        };
        std::string body;
        for (const auto& [name, value] : fields) {
            const auto change = changes.find(name);
            if (change == changes.end())
                body += "&" + name + "=" + value;
            else if (change->second != "<none>")
                body += "&" + name + "=" + change->second;
        }
        return body;
    }

    std::string upload(const TestSession& session, int templateId,
                       const std::map<std::string, std::string>& changes = {}) {
        return post("BetTempletUp.asp", prefix(session) + "&sUserName=" + session.name +
                                            uploadFields(templateId, changes));
    }
    std::string list(const TestSession& session, const std::string& stamp = "") {
        return post("BetTempletList.asp",
                    prefix(session) + "&sUserName=" + session.name + "&LastModifyTime=" + stamp);
    }
    std::string act(const std::string& page, const TestSession& session, int templateId) {
        return post(page, prefix(session) + "&sUserName=" + session.name +
                              "&TempletID=" + std::to_string(templateId));
    }

    // The record of a template uploaded with the fields of uploadFields() but for its name.
    static std::string uploadedRecord(int templateId, const std::string& owner,
                                      const std::string& name, bool inUse) {
        return "TempletID=" + std::to_string(templateId) + "|Sort=1|UserName=" + owner +
               "|TempletName=" + name +
               "|SignName=@USERNAME|Win=中了|Loss=挂了|Wait=等开|Remark=祝君好运|DispCode=True|"
               "DispSuccessRatio=False|DispMultiple=True|DispProjectDown=False|"
               "DispIssueNum=True|DispProfit=True|DispProfitCollect=False|DispHit=False|"
               "DispHitNow=True|DispLotteryName=True|TempletStatus=" +
               (inUse ? "True" : "False") + "|DispCountNum=0|DispPosition=True|";
    }

    TestSession bob_;
};

TEST_F(TemplatePagesTest, ListStartsWithTheSystemTemplateAndAnswers2WhileUnchanged) {
    EXPECT_EQ(list(bob_), "1|1|2015-11-06 00:00:00|" + systemRecord(true));
    EXPECT_EQ(list(bob_, "2015-11-06 00:00:00"), "2|");
    EXPECT_EQ(list(bob_, "2015-11-06 00:00:01"), "1|1|2015-11-06 00:00:00|" + systemRecord(true));
    EXPECT_EQ(upload(bob_, 0), "1|2");
    EXPECT_EQ(list(bob_, "2015-11-06 00:00:00"), "1|2|2015-11-06 00:00:01|" + systemRecord(true) +
                                                     "$" +
                                                     uploadedRecord(2, "bob", "我的模板", false));
    EXPECT_EQ(list(bob_, "2015-11-06 00:00:01"), "2|");
    // Another user's change leaves bob's list alone.
    const TestSession demo = login("demo", "demo123");
    EXPECT_EQ(upload(demo, 0, {{"TempletName", "甲"}}), "1|3");
    EXPECT_EQ(list(bob_, "2015-11-06 00:00:01"), "2|");
}

TEST_F(TemplatePagesTest, ChangeChooseAndDeleteOwnTemplates) {
    ASSERT_EQ(upload(bob_, 0), "1|2");
    ASSERT_EQ(upload(bob_, 0, {{"TempletName", "第二"}, {"Sort", "2"}}), "1|3");
    EXPECT_EQ(upload(bob_, 2, {{"Win", "红"}, {"Sort", "5"}}), "1|2");
    EXPECT_EQ(act("BetTempletChange.asp", bob_, 3), "1");
    const std::string changed = list(bob_);
    EXPECT_TRUE(changed.starts_with("1|3|2015-11-06 00:00:04|" + systemRecord(false) +
                                    "$TempletID=3|Sort=2|UserName=bob|TempletName=第二|"))
        << changed;
    EXPECT_NE(
        changed.find(
            "$TempletID=2|Sort=5|UserName=bob|TempletName=我的模板|SignName=@USERNAME|Win=红|"),
        std::string::npos);
    EXPECT_NE(changed.find("TempletName=第二|SignName=@USERNAME|Win=中了|Loss=挂了|Wait=等开|"
                           "Remark=祝君好运|DispCode=True|DispSuccessRatio=False|DispMultiple=True|"
                           "DispProjectDown=False|DispIssueNum=True|DispProfit=True|"
                           "DispProfitCollect=False|DispHit=False|DispHitNow=True|"
                           "DispLotteryName=True|TempletStatus=True|"),
              std::string::npos);
    // Deleting the template in use falls back to the system template.
    EXPECT_EQ(act("BetTempletDelete.asp", bob_, 3), "1");
    const std::string afterDelete = list(bob_);
    EXPECT_TRUE(
        afterDelete.starts_with("1|2|2015-11-06 00:00:05|" + systemRecord(true) + "$TempletID=2|"))
        << afterDelete;
    EXPECT_EQ(act("BetTempletDelete.asp", bob_, 3), "0|模板不存在|");
    EXPECT_EQ(act("BetTempletChange.asp", bob_, 1), "1");
}

TEST_F(TemplatePagesTest, UploadRefusals) {
    const struct {
        std::map<std::string, std::string> changes;
        std::string reply;
    } cases[] = {
        {{{"TempletName", ""}}, "0|没有输入模板名称|"},
        {{{"TempletName", std::string(11, 'x') + "一二三四五六七八九十一"}}, "0|模板名称超长|"},
        {{{"TempletName", "新系统模板"}}, "0|不能包含系统模板名称|"},
        {{{"TempletName", "系统模板"}}, "0|不能包含系统模板名称|"},
        {{{"SignName", std::string(33, 's')}}, "0|签名超长|"},
        {{{"Win", ""}}, "0|没有输入“中”名称|"},
        {{{"Loss", "中了"}}, "0|\"中\"和\"挂\"不能使用相同的名称|"},
        {{{"Wait", "等|开"}}, "0|“等待”名称不能包含竖线“｜”或“$”|"},
        {{{"Remark", "a$b"}}, "0|备注不能包含竖线“｜”或“$”|"},
        {{{"Remark", "第一行\r\n第二行"}}, "0|备注不能包含换行符等控制字符|"},
        {{{"Win", "中\n"}}, "0|“中”名称不能包含换行符等控制字符|"},
        {{{"SignName", std::string("签\0名", 7)}}, "0|签名不能包含换行符等控制字符|"},
        {{{"TempletName", "模\t板"}}, "0|模板名称不能包含换行符等控制字符|"},
        {{{"Loss", "挂\x7F"}}, "0|“挂”名称不能包含换行符等控制字符|"},
        {{{"Remark", std::string(513, 'r')}}, "0|备注超长|"},
        {{{"DispHit", "yes"}}, "0|字段“DispHit”的值不正确|"},
        {{{"Sort", "<none>"}}, "0|请求缺少字段“Sort”|"},
        {{{"Sort", "-1"}}, "0|字段“Sort”的值不正确|"},
        {{{"ModifyTime", "now"}}, "0|字段“ModifyTime”的值不正确|"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(upload(bob_, 0, test.changes), test.reply);
    EXPECT_EQ(upload(bob_, 0, {{"TempletName", std::string(16, 'x') + "一二三四五六七八"}}), "1|2");
    EXPECT_EQ(post("BetTempletUp.asp", prefix(bob_) + "&sUserName=demo" + uploadFields(0)),
              "0|不能操作其他用户的模板|");
    const std::string longName = std::string(16, 'x') + "一二三四五六七八";
    EXPECT_EQ(list(bob_), "1|2|2015-11-06 00:00:01|" + systemRecord(true) + "$" +
                              uploadedRecord(2, "bob", longName, false));
}

TEST_F(TemplatePagesTest, SixOwnTemplatesWithUniqueNamesAtMost) {
    for (int i = 1; i <= 6; ++i)
        ASSERT_EQ(upload(bob_, 0, {{"TempletName", "模" + std::to_string(i)}}),
                  "1|" + std::to_string(i + 1));
    EXPECT_EQ(upload(bob_, 0, {{"TempletName", "模7"}}),
              "0|除系统模板外，用户最多可以添加6个模板|");
    EXPECT_EQ(upload(bob_, 3, {{"TempletName", "模1"}}), "0|存在一个重名的模板|");
    EXPECT_EQ(upload(bob_, 3, {{"TempletName", "模2"}, {"Win", "赢"}}), "1|3");
    EXPECT_EQ(act("BetTempletDelete.asp", bob_, 2), "1");
    EXPECT_EQ(upload(bob_, 0, {{"TempletName", "模1"}}), "1|8");
}

TEST_F(TemplatePagesTest, OnlyManagersChangeTheSystemTemplate) {
    const std::string bobBefore = list(bob_);
    EXPECT_EQ(upload(bob_, 1, {{"TempletName", "系统模板"}}), "0|只有管理员可以修改系统模板|");
    EXPECT_EQ(act("BetTempletDelete.asp", bob_, 1), "0|不能删除系统模板|");
    EXPECT_EQ(list(bob_), bobBefore);
    const TestSession boss = login("boss", "boss123");
    EXPECT_EQ(upload(boss, 1, {{"TempletName", "系统模板"}, {"Win", "赢"}, {"Sort", "4"}}), "1|1");
    EXPECT_EQ(act("BetTempletDelete.asp", boss, 1), "0|不能删除系统模板|");
    // Every user's list changes, and the system template keeps sort key 0.
    const std::string bobAfter = list(bob_, "2015-11-06 00:00:00");
    EXPECT_TRUE(
        bobAfter.starts_with("1|1|2015-11-06 00:00:01|TempletID=1|Sort=0|UserName=|"
                             "TempletName=系统模板|SignName=@USERNAME|Win=赢|Loss=挂了|"))
        << bobAfter;
}

TEST_F(TemplatePagesTest, NobodyTouchesAnotherUsersTemplates) {
    const TestSession demo = login("demo", "demo123");
    ASSERT_EQ(upload(demo, 0), "1|2");
    EXPECT_EQ(upload(bob_, 2), "0|模板不存在|");
    EXPECT_EQ(act("BetTempletDelete.asp", bob_, 2), "0|模板不存在|");
    EXPECT_EQ(act("BetTempletChange.asp", bob_, 2), "0|模板不存在|");
    EXPECT_EQ(act("BetTempletChange.asp", bob_, 99), "0|模板不存在|");
    EXPECT_EQ(post("BetTempletList.asp", prefix(bob_) + "&sUserName=demo&LastModifyTime="),
              "0|不能操作其他用户的模板|");
}

TEST_F(TemplatePagesTest, DetailIsTheTemplateAnotherUserHasInUse) {
    const auto detail = [this](const std::string& name) {
        return post("BetTempletDetail.asp", prefix(bob_) + "&sUserName=" + name);
    };
    EXPECT_EQ(detail("demo"), "1|" + systemRecord(true));
    const TestSession demo = login("demo", "demo123");
    ASSERT_EQ(upload(demo, 0, {{"TempletName", "甲"}}), "1|2");
    ASSERT_EQ(act("BetTempletChange.asp", demo, 2), "1");
    EXPECT_EQ(detail("demo"), "1|" + uploadedRecord(2, "demo", "甲", true));
    EXPECT_EQ(detail("nobody"), "0|用户不存在|");
}

}  // namespace
}  // namespace quorstat::service
