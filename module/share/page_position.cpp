#include "share/page_position.h"

#include <algorithm>

#include "net/reply_text.h"

namespace quorstat {

void PagePosition::setTotal(long long total, int pageSize) {
    if (pageSize <= 0 || total <= 0) {
        pageCount_ = 1;
        return;
    }
    const long long pages = (total + pageSize - 1) / pageSize;
    pageCount_ = static_cast<int>(std::min<long long>(pages, 1 << 30));
}

void PagePosition::resetPosition() {
    currentPage_ = 1;
    pageCount_ = 1;
}

bool PagePosition::setPage(int page) {
    page = std::clamp(page, 1, pageCount_);
    if (page == currentPage_)
        return false;
    currentPage_ = page;
    return true;
}

bool PagePosition::first() {
    return setPage(1);
}

bool PagePosition::previous() {
    return setPage(currentPage_ - 1);
}

bool PagePosition::next() {
    return setPage(currentPage_ + 1);
}

bool PagePosition::last() {
    return setPage(pageCount_);
}

bool PagePosition::goTo(std::string_view typed) {
    return setPage(ReadInt(typed));
}

}  // namespace quorstat
