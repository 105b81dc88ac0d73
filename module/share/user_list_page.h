#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/user_record.h"
#include "share/page_position.h"

namespace quorstat {

// The page of the user list on screen and where it stands among all pages.
class UserListPage : public PagePosition {
public:
    const std::vector<tagUSERINFO>& users() const { return users_; }
    int total() const { return total_; }
    // The third field of the last list taken, sent back on incremental refreshes.
    const std::string& stamp() const { return stamp_; }
    void clearStamp() { stamp_.clear(); }

    // Takes a list reply (status "1"): the page holds exactly the announced number of records,
    // those the reply lacks empty. Any other reply empties the page; false then.
    bool apply(std::string_view reply, int pageSize);
    void clear() { users_.clear(); }
    // Back to one empty page.
    void reset();

    // Marks the listed user of that name; false when he is not on the page.
    bool setFollowed(std::string_view name, bool followed);
    // "%d/%d页，共%d个用户", or "1/1" before the first list.
    std::string label() const;

private:
    std::vector<tagUSERINFO> users_;
    int total_ = 0;
    bool listed_ = false;
    std::string stamp_;
};

}  // namespace quorstat
