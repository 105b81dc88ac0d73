#pragma once

#include <string_view>

namespace quorstat {

// Where a paged list stands: the page on screen among the pages there are. Pages count from 1;
// there is always at least one.
class PageCursor {
public:
    int currentPage() const { return currentPage_; }
    int pageCount() const { return pageCount_; }

    // The pages `total` records fill at `pageSize` a page; one page when pageSize is 0 or less.
    void setPages(int total, int pageSize);
    // Any page asked for; a reply may carry one beyond the count.
    void showPage(int page) { currentPage_ = page > 0 ? page : 1; }
    void reset();

    // Paging; each returns whether the page changed.
    bool first();
    bool previous();
    bool next();
    bool last();
    // "转到" with the typed text: 1 or less (and text) is the first page, beyond the last the last.
    bool goTo(std::string_view typed);
    bool setPage(int page);

private:
    int currentPage_ = 1;
    int pageCount_ = 1;
};

}  // namespace quorstat
