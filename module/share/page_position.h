#pragma once

#include <string_view>

namespace quorstat {

// Where a paged list stands: the page on screen among all pages. Pages count from 1; there is
// always at least one.
class PagePosition {
public:
    int currentPage() const { return currentPage_; }
    int pageCount() const { return pageCount_; }

    // The page count for `total` records `pageSize` to a page; a size of 0 keeps them on one page.
    void setTotal(long long total, int pageSize);
    // Back to page 1 of 1.
    void resetPosition();

    // Paging; each returns whether the page changed.
    bool first();
    bool previous();
    bool next();
    bool last();
    // "转到" with the typed text: 1 or less is the first page, beyond the last the last.
    bool goTo(std::string_view typed);
    bool setPage(int page);

private:
    int currentPage_ = 1;
    int pageCount_ = 1;
};

}  // namespace quorstat
