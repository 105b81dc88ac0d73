#pragma once

#include <array>
#include <string>
#include <string_view>

#include "net/request_catalogue.h"
#include "share/search_user_config.h"

namespace quorstat {

// One filter of the search panel: its checkbox, the key of its input history and its messages.
struct UserFilterInfo {
    std::string_view checkbox;
    std::string_view historyKey;
    bool integer;
    std::string_view emptyMessage;
    std::string_view malformedMessage;  // numeric filters only
};

extern const std::array<UserFilterInfo, kUserFilterCount> kUserFilters;

// What the search panel's controls hold when "搜索" is pressed.
struct UserSearchForm {
    int listMode = 0;
    std::array<bool, kUserFilterCount> on{};
    std::array<std::string, kUserFilterCount> texts;
};

// The checked search: the first failure's message, or the new settings with every checked text
// in its normal form (the user name without blanks).
struct UserSearchOutcome {
    std::string error;
    tagSEARCHUSERCONFIG settings;
};

// `settings` are the stored ones; their detail flag and order stay as they are.
UserSearchOutcome CheckUserSearch(const UserSearchForm& form, tagSEARCHUSERCONFIG settings);

// A click on the header of `column` of the detailed grid: a new column sorts ascending, the
// current one flips. False for the row number, which sorts nothing.
bool ClickSortColumn(tagSEARCHUSERCONFIG& settings, int column);

// The order, list mode and filter conditions of the stored settings over `query`'s paging; a
// filter whose text gives no condition is left out.
UserListQuery MakeUserListQuery(const tagSEARCHUSERCONFIG& settings, UserListQuery query);

}  // namespace quorstat
