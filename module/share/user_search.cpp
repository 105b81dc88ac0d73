#include "share/user_search.h"

#include <algorithm>

#include "share/filter_condition.h"

namespace quorstat {

const std::array<UserFilterInfo, kUserFilterCount> kUserFilters{{
    {"查找用户名", "SearchUserNameLog", false, "没有输入用户名", ""},
    {"方案总个数", "SearchPlanAllCountLog", true, "没有输入总方案数", "总方案数输入不正确"},
    {"追号期数", "SearchTraceIssueCountLog", true, "没有输入追号期数", "追号期数输入不正确"},
    {"进行方案数", "SearchPlanNowCountLog", true, "没有输入进行方案数", "进行方案数输入不正确"},
    {"平均注数", "SearchAveCountLog", true, "没有输入中奖方案数", "中奖方案数输入不正确"},
    {"方案成功率", "SearchPlanRateOfSucLog", false, "没有输入成功率", "成功率输入不正确"},
    {"平均利润", "SearchAveProfitLog", false, "没有输入平均利润值", "平均利润值输入不正确"},
    {"利润率", "SearchRateOfProfitLog", false, "没有输入利润率", "利润率输入不正确"},
}};

namespace {

constexpr std::size_t kUserNameFilter = 0;

std::string withoutBlanks(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    return text;
}

}  // namespace

UserSearchOutcome CheckUserSearch(const UserSearchForm& form, tagSEARCHUSERCONFIG settings) {
    settings.listMode = std::clamp(form.listMode, 0, 2);
    for (std::size_t i = 0; i < kUserFilterCount; ++i) {
        std::string text = form.texts[i];
        if (form.on[i]) {
            const UserFilterInfo& filter = kUserFilters[i];
            if (i == kUserNameFilter) {
                text = withoutBlanks(std::move(text));
                if (text.empty())
                    return {std::string(filter.emptyMessage), {}};
            } else {
                // A field of blanks is not empty: it gets the second message.
                if (text.empty())
                    return {std::string(filter.emptyMessage), {}};
                FormatFilterCondition(text, filter.integer);
                if (text.empty())
                    return {std::string(filter.malformedMessage), {}};
            }
        }
        settings.filterOn[i] = form.on[i] ? 1 : 0;
        settings.filterText[i] = std::move(text);
    }
    return {{}, std::move(settings)};
}

bool ClickSortColumn(tagSEARCHUSERCONFIG& settings, int column) {
    if (column < 1 || column > kLastSortColumn)
        return false;
    if (column == settings.sortColumn) {
        settings.ascending = settings.ascending ? 0 : 1;
    } else {
        settings.sortColumn = column;
        settings.ascending = 1;
    }
    return true;
}

UserListQuery MakeUserListQuery(const tagSEARCHUSERCONFIG& settings, UserListQuery query) {
    query.sortColumn = settings.sortColumn;
    query.ascending = settings.ascending != 0;
    query.attention = settings.listMode;
    for (std::size_t i = 0; i < kUserFilterCount; ++i) {
        query.filters[i].reset();
        if (!settings.filterOn[i])
            continue;
        std::string text = settings.filterText[i];
        std::string condition = i == kUserNameFilter
                                    ? withoutBlanks(std::move(text))
                                    : FormatFilterCondition(text, kUserFilters[i].integer);
        if (!condition.empty())
            query.filters[i] = std::move(condition);
    }
    return query;
}

}  // namespace quorstat
