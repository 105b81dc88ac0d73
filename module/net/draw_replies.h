#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/date_time.h"

namespace quorstat {

// "1|ONLINE|USERS|DATETIME".
struct ServerTimeReply {
    std::int32_t onlineSeconds = 0;
    std::int32_t onlineUsers = 0;
    DateTime serverTime;
};

std::optional<ServerTimeReply> ParseServerTimeReply(std::string_view reply);

// "1|TIMES|REST": the draw times HHMMSS in table order, 240000 standing for midnight, and the
// rest of the reply, which carries the table's date-time.
struct DrawTimeTable {
    std::vector<std::int32_t> times;
    std::string rest;
    DateTime tableTime;
};

// None for a reply that is not "1", an empty table, a time that is no time of day, or more
// draws than an issue number can count.
std::optional<DrawTimeTable> ParseDrawTimes(std::string_view reply);

struct DrawResult {
    std::int32_t issue = 0;
    std::string numbers;
};

// "1|ISSUE&NUMBERS|...": the latest draw, when both parts are there.
std::optional<DrawResult> ParseLatestDraw(std::string_view reply);
// "1|ISSUE&NUMBERS#ISSUE&NUMBERS#...|...": none when the reply is not "1", has no "|", or holds
// an empty item or one without "&".
std::optional<std::vector<DrawResult>> ParseDrawHistory(std::string_view reply);

}  // namespace quorstat
