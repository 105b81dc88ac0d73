// The user list's window-free rules: filter texts, search checks, settings file, order and query.
#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "core/text_codec.h"
#include "net/request_catalogue.h"
#include "share/filter_condition.h"
#include "share/search_user_config_file.h"
#include "share/user_search.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::le32;
using testing::TempDir;

struct FilterCase {
    const char* typed;
    bool integer;
    const char* normal;
    const char* condition;
};

TEST(FilterCondition, TypedTextsBecomeNormalFormAndCondition) {
    const FilterCase cases[] = {
        {">= 5", true, ">=5", "大等于|5"},
        {"10-3", true, "3-10", "大等于|3#小等于|10"},
        {"-5-3", true, "-5-3", "大等于|-5#小等于|3"},
        {"=7", true, "7", "等于|7"},
        {"12.345", false, "12.35", "等于|12.35"},
        {"<50", false, "<50.00", "小于|50.00"},
        {"   ", true, "", ""},
        {"", false, "", ""},
        {"> 2", true, ">2", "大于|2"},
        {"<=-1.5", false, "<=-1.50", "小等于|-1.50"},
        {"12.9", true, "12", "等于|12"},
        {"1.5 - 0.25", false, "0.25-1.50", "大等于|0.25#小等于|1.50"},
        {"7.9-2.2", true, "2-7", "大等于|2#小等于|7"},
        {"5--3", true, "-3-5", "大等于|-3#小等于|5"},
        {"-0", false, "0.00", "等于|0.00"},
        {"２　0", true, "", ""},
        {"1　0", true, "10", "等于|10"},
        // Anything that is no number leaves the filter off.
        {"abc", true, "", ""},
        {"5x", true, "", ""},
        {">=", true, "", ""},
        {"=", false, "", ""},
        {"3-", true, "", ""},
        {"1-2-3", true, "", ""},
        {"--5", true, "", ""},
        {"1e3", false, "", ""},
        {"1.2.3", false, "", ""},
        {".", false, "", ""},
        {"2147483648", true, "", ""},
        // Far beyond any integer: refused without converting it.
        {"4444444444444444444444444444444444444444444444444444", true, "", ""},
        {"2147483647", true, "2147483647", "等于|2147483647"},
    };
    for (const FilterCase& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(FormatFilterCondition(text, c.integer), c.condition) << c.typed;
        EXPECT_EQ(text, c.normal) << c.typed;
    }
}

UserSearchForm formWith(std::size_t filter, const char* text) {
    UserSearchForm form;
    form.on[filter] = true;
    form.texts[filter] = text;
    return form;
}

TEST(UserSearch, TheFirstFailingFieldGivesItsMessage) {
    struct Case {
        UserSearchForm form;
        const char* message;
    };
    UserSearchForm twoBad = formWith(7, "");
    twoBad.on[3] = true;
    twoBad.texts[3] = "x";
    const Case cases[] = {
        {formWith(0, " \t "), "没有输入用户名"},   {formWith(1, ""), "没有输入总方案数"},
        {formWith(1, "  "), "总方案数输入不正确"}, {formWith(4, "abc"), "中奖方案数输入不正确"},
        {formWith(5, ""), "没有输入成功率"},       {formWith(6, "-"), "平均利润值输入不正确"},
        {twoBad, "进行方案数输入不正确"},
    };
    for (const Case& c : cases) {
        const UserSearchOutcome outcome = CheckUserSearch(c.form, {});
        EXPECT_EQ(outcome.error, c.message);
    }
}

TEST(UserSearch, AnAcceptedSearchStoresNormalFormsAndKeepsTheOrder) {
    tagSEARCHUSERCONFIG stored;
    stored.detail = 0;
    stored.sortColumn = 9;
    stored.ascending = 0;
    UserSearchForm form;
    form.listMode = 1;
    form.on = {true, false, true, false, false, true, false, false};
    form.texts = {" 张 三 ", " raw text ", "10-3", "", "", "12.345", "", "<5"};
    const UserSearchOutcome outcome = CheckUserSearch(form, stored);
    ASSERT_EQ(outcome.error, "");
    const tagSEARCHUSERCONFIG& s = outcome.settings;
    EXPECT_EQ(s.detail, 0);
    EXPECT_EQ(s.sortColumn, 9);
    EXPECT_EQ(s.ascending, 0);
    EXPECT_EQ(s.listMode, 1);
    EXPECT_EQ(s.filterOn, (std::array<std::int32_t, 8>{1, 0, 1, 0, 0, 1, 0, 0}));
    // A field that is off keeps its text as typed.
    EXPECT_EQ(s.filterText, (std::array<std::string, 8>{"张三", " raw text ", "3-10", "", "",
                                                        "12.35", "", "<5"}));
}

TEST(UserSearch, HeaderClicksChooseAColumnAscendingThenFlip) {
    tagSEARCHUSERCONFIG s;
    struct Step {
        int column;
        bool changes;
        int sortColumn;
        int ascending;
    };
    const Step steps[] = {
        {9, true, 9, 1},  {9, true, 9, 0},   {9, true, 9, 1}, {2, true, 2, 1},
        {0, false, 2, 1}, {13, false, 2, 1}, {2, true, 2, 0}, {12, true, 12, 1},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(ClickSortColumn(s, step.column), step.changes) << step.column;
        EXPECT_EQ(s.sortColumn, step.sortColumn);
        EXPECT_EQ(s.ascending, step.ascending);
    }
}

TEST(UserSearch, TheRequestCarriesOrderModeAndTheConditionsOfEnabledFilters) {
    AppState state;
    state.userName = "demo";
    state.sessionToken = "T";
    const RequestCatalogue catalogue(state, [] { return std::time_t(0); });
    tagSEARCHUSERCONFIG s;
    s.sortColumn = 9;
    s.ascending = 0;
    s.listMode = 2;
    s.filterOn = {1, 1, 0, 1, 0, 1, 0, 1};
    // A stored text that gives no condition (a damaged file) leaves its filter off.
    s.filterText = {"张三", "10-3", ">1", "abc", "", "<50", "", "-5"};
    UserListQuery paging;
    paging.page = 3;
    paging.pageSize = 20;
    paging.topOwn = true;
    paging.factorCycle = 24;
    paging.stamp = "2013-05-01 10:00:00";
    const auto request =
        catalogue.userList({"重庆时时彩", "三星", "单选"}, MakeUserListQuery(s, paging));
    ASSERT_TRUE(request);
    const std::string body = request->body;
    const std::string tail = body.substr(body.find("&LotteryName="));
    EXPECT_EQ(tail,
              "&LotteryName=重庆时时彩&LotteryPlay=三星&LotteryType=单选&Page=3&OnePageNum=20"
              "&Orderby=RateOfBetSuccess DESC&TopOwn=1&Attention=2&sUserName=张三"
              "&BetTotalNum=大等于|3#小等于|10&RateOfBetSuccess=小于|50.00"
              "&RateOfBetProfit=等于|-5.00&FactorCycle=24&LastModifyTime=2013-05-01 10:00:00");
}

// The file as the Windows program wrote it: magic, twelve integers, eight strings.
std::string byteBuiltFile() {
    std::string file = le32(0x01337A1E);
    for (std::uint32_t value : {0u, 9u, 0u, 1u, 1u, 0u, 0u, 0u, 0u, 1u, 0u, 0u})
        file += le32(value);
    file += "\x04\xD5\xC5\xC8\xFD";  // 张三
    file += std::string(4, '\0');
    file += "\x02>5";
    file += std::string(2, '\0');
    return file;
}

TEST(SearchUserConfig, AByteBuiltFileReadsAndWritesBackTheSame) {
    const auto read = ReadSearchUserConfig(byteBuiltFile());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->detail, 0);
    EXPECT_EQ(read->sortColumn, 9);
    EXPECT_EQ(read->ascending, 0);
    EXPECT_EQ(read->listMode, 1);
    EXPECT_EQ(read->filterOn, (std::array<std::int32_t, 8>{1, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(read->filterText[0], "张三");
    EXPECT_EQ(read->filterText[5], ">5");
    EXPECT_EQ(WriteSearchUserConfig(*read), byteBuiltFile());

    tagSEARCHUSERCONFIG longText;
    longText.filterText[7] = std::string(300, '9');
    EXPECT_EQ(ReadSearchUserConfig(WriteSearchUserConfig(longText)), longText);
}

TEST(SearchUserConfig, ForeignShortOrOutOfRangeFilesGiveDefaults) {
    const std::string good = byteBuiltFile();
    EXPECT_EQ(ReadSearchUserConfig(""), std::nullopt);
    EXPECT_EQ(ReadSearchUserConfig(le32(0x01337A1F) + good.substr(4)), std::nullopt);
    EXPECT_EQ(ReadSearchUserConfig(good.substr(0, good.size() - 1)), std::nullopt);

    std::string odd = le32(0x01337A1E);
    for (std::uint32_t value : {7u, 13u, 5u, 3u, 2u, 0u, 0u, 0u, 0u, 0u, 0u, 0u})
        odd += le32(value);
    odd += std::string(8, '\0');
    const auto read = ReadSearchUserConfig(odd);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->detail, 1);
    EXPECT_EQ(read->sortColumn, 0);
    EXPECT_EQ(read->ascending, 1);
    EXPECT_EQ(read->listMode, 0);
    EXPECT_EQ(read->filterOn[0], 1);
}

TEST(SearchUserConfig, ADamagedFileStaysUntilTheSettingsChange) {
    TempDir dir;
    const auto path = dir / "SearchUserConfig.dat";
    testing::writeFile(path, "damaged");
    SearchUserConfigFile file(path);
    tagSEARCHUSERCONFIG settings = file.load();
    EXPECT_EQ(settings, tagSEARCHUSERCONFIG{});
    ASSERT_TRUE(file.save(settings));
    EXPECT_EQ(ReadWholeFile(path), "damaged");

    settings.sortColumn = 9;
    ASSERT_TRUE(file.save(settings));
    SearchUserConfigFile again(path);
    EXPECT_EQ(again.load(), settings);
}

}  // namespace
}  // namespace quorstat
