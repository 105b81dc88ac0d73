#include "net/page_cursor.h"

#include <algorithm>

#include "net/reply_text.h"

namespace quorstat {

void PageCursor::setPages(int total, int pageSize) {
    if (pageSize <= 0 || total <= 0) {
        pageCount_ = 1;
        return;
    }
    pageCount_ =
        std::max(1, static_cast<int>((static_cast<long long>(total) + pageSize - 1) / pageSize));
}

void PageCursor::reset() {
    currentPage_ = 1;
    pageCount_ = 1;
}

bool PageCursor::setPage(int page) {
    page = std::clamp(page, 1, pageCount_);
    if (page == currentPage_)
        return false;
    currentPage_ = page;
    return true;
}

bool PageCursor::first() {
    return setPage(1);
}

bool PageCursor::previous() {
    return setPage(currentPage_ - 1);
}

bool PageCursor::next() {
    return setPage(currentPage_ + 1);
}

bool PageCursor::last() {
    return setPage(pageCount_);
}

bool PageCursor::goTo(std::string_view typed) {
    return setPage(ReadInt(typed));
}

}  // namespace quorstat
