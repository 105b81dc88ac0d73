#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/page_cursor.h"
#include "net/user_record.h"

namespace quorstat {

// The page of the user list on screen and where it stands among all pages. Pages count from 1;
// there is always at least one.
class UserListPage {
public:
    const std::vector<tagUSERINFO>& users() const { return users_; }
    int currentPage() const { return cursor_.currentPage(); }
    int pageCount() const { return cursor_.pageCount(); }
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

    // Paging; each returns whether the page changed.
    bool first() { return cursor_.first(); }
    bool previous() { return cursor_.previous(); }
    bool next() { return cursor_.next(); }
    bool last() { return cursor_.last(); }
    // "转到" with the typed text: 1 or less is the first page, beyond the last the last.
    bool goTo(std::string_view typed) { return cursor_.goTo(typed); }
    bool setPage(int page) { return cursor_.setPage(page); }

    // Marks the listed user of that name; false when he is not on the page.
    bool setFollowed(std::string_view name, bool followed);
    // "%d/%d页，共%d个用户", or "1/1" before the first list.
    std::string label() const;

private:
    std::vector<tagUSERINFO> users_;
    PageCursor cursor_;
    int total_ = 0;
    bool listed_ = false;
    std::string stamp_;
};

}  // namespace quorstat
