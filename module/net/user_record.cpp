#include "net/user_record.h"

#include <strings.h>
#include <array>

#include "net/reply_text.h"
#include "net/tagged_fields.h"

namespace quorstat {
namespace {

using U = tagUSERINFO;

std::int32_t readShares(std::string_view value) {
    return value.size() == 4 && strncasecmp(value.data(), "true", 4) == 0 ? 1 : 0;
}

std::int32_t readFollowed(std::string_view value) {
    return value == "1" ? 1 : 0;
}

// The service writes an undefined average as a huge number.
double readBoundedMoney(std::string_view value) {
    const double money = ReadMoney(value);
    return money > 4294967280.0 ? 0 : money;
}

constexpr std::array<FieldRule<U>, 21> userRules{{
    {"UID=", Assign<U, &U::userInfoId, ReadInt>},
    {"UN=", Assign<U, &U::userName, ToText>},
    {"LTN=", Assign<U, &U::lotteryName, ToText>},
    {"LTP=", Assign<U, &U::starName, ToText>},
    {"LTT=", Assign<U, &U::kindName, ToText>},
    {"SH=", Assign<U, &U::shares, readShares>},
    {"IM=", Assign<U, &U::im, ReadMoney>},
    {"PP=", Assign<U, &U::averageProfit, readBoundedMoney>},
    {"RBP=", Assign<U, &U::profitRate, readBoundedMoney>},
    {"TN=", Assign<U, &U::planCount, ReadInt>},
    {"TNN=", Assign<U, &U::runningPlans, ReadInt>},
    {"TSN=", Assign<U, &U::hitPlans, ReadInt>},
    {"TLN=", Assign<U, &U::missedPlans, ReadInt>},
    {"TCN=", Assign<U, &U::stoppedPlans, ReadInt>},
    {"AN=", Assign<U, &U::averageBets, ReadGroupedInt>},
    {"RBS=", Assign<U, &U::successRate, ReadReal>},
    {"NIN=", Assign<U, &U::issueOrdinal, ReadInt>},
    {"INS=", Assign<U, &U::chasedIssues, ReadInt>},
    {"BF=", Assign<U, &U::stability, ReadMoney>},
    {"LMT=", Assign<U, &U::lastChange, ToText>},
    {"AT=", Assign<U, &U::followed, readFollowed>},
}};

}  // namespace

tagUSERINFO ParseUserRecord(std::string_view text) {
    tagUSERINFO user;
    ReadTaggedFields<U>(text, userRules, user);
    return user;
}

UserListReply ParseUserList(std::string_view reply) {
    UserListReply list;
    const auto body = ListReplyBody(reply, list.outcome);
    if (!body)
        return list;

    std::string_view rest = *body;
    const auto header = CutListHeader(rest);
    if (!header)
        return list;
    list.total = header->total;
    list.count = header->count;
    list.stamp = header->stamp;

    // A record cut off by a broken transfer has no "$" yet and is left out.
    while (static_cast<std::int32_t>(list.users.size()) < list.count) {
        const auto record = CutField(rest, '$');
        if (!record)
            break;
        list.users.push_back(ParseUserRecord(*record));
    }
    list.outcome = ListOutcome::Loaded;
    return list;
}

}  // namespace quorstat
