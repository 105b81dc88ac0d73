// User lists and single user records.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/text_codec.h"
#include "net/user_record.h"

namespace {

void parse(std::string_view reply) {
    const quorstat::UserListReply list = quorstat::ParseUserList(reply);
    if (static_cast<std::int64_t>(list.users.size()) > std::max(list.count, 0))
        std::abort();
    const quorstat::tagUSERINFO user = quorstat::ParseUserRecord(reply);
    if (user.shares > 1 || user.followed > 1 || user.averageProfit > 4294967280.0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse(bytes);
    parse(quorstat::FromAnsi(bytes));
    return 0;
}
