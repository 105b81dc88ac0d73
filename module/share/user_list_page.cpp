#include "share/user_list_page.h"

#include <fmt/format.h>

#include <algorithm>

#include "net/reply_text.h"

namespace quorstat {

bool UserListPage::apply(std::string_view reply, int pageSize) {
    users_.clear();
    UserListReply list = ParseUserList(reply);
    if (list.outcome != ListOutcome::Loaded)
        return false;
    // A reply may announce more records than it holds; it never holds more than a page, so an
    // announced count beyond that allocates nothing.
    const auto held = static_cast<std::int32_t>(list.users.size());
    const std::int32_t rows = std::clamp(list.count, 0, std::max(held, pageSize));
    list.users.resize(static_cast<std::size_t>(rows));
    users_ = std::move(list.users);
    stamp_ = std::move(list.stamp);
    total_ = std::max(list.total, 0);
    setTotal(total_, std::max(pageSize, 1));
    listed_ = true;
    return true;
}

void UserListPage::reset() {
    users_.clear();
    resetPosition();
    total_ = 0;
    listed_ = false;
}

bool UserListPage::setFollowed(std::string_view name, bool followed) {
    bool found = false;
    for (tagUSERINFO& user : users_) {
        if (user.userName == name) {
            user.followed = followed ? 1 : 0;
            found = true;
        }
    }
    return found;
}

std::string UserListPage::label() const {
    if (!listed_)
        return fmt::format("{}/{}", currentPage(), pageCount());
    return fmt::format("{}/{}页，共{}个用户", currentPage(), pageCount(), total_);
}

}  // namespace quorstat
