#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorstat::service {

// Seconds since 1970-01-01 00:00:00 on the service's local calendar. The service never needs
// time zones: the lottery day and every date-time it writes are local.
using CivilSeconds = std::int64_t;
constexpr CivilSeconds kSecondsPerDay = 86400;

// "YYYY-MM-DD HH:MM:SS".
std::string formatDateTime(CivilSeconds time);
// Accepts exactly the form formatDateTime writes, with a valid calendar date.
std::optional<CivilSeconds> parseDateTime(std::string_view text);
// "HH:MM:SS" of a second count, taken modulo one day (24:00:00 is written 00:00:00).
std::string formatTimeOfDay(CivilSeconds seconds);

CivilSeconds dayStart(CivilSeconds time);
// YYMMDD of the day containing `time`, the date part of an issue number.
int issueDate(CivilSeconds time);
// The start of the day YYMMDD (years 2000-2099); nothing when it is not a calendar date.
std::optional<CivilSeconds> issueDateStart(int yymmdd);
// Monday 00:00 of the week, and the first of the month, containing `time`.
CivilSeconds weekStart(CivilSeconds time);
CivilSeconds monthStart(CivilSeconds time);

// The local calendar time of a real instant given in milliseconds since the Unix epoch.
CivilSeconds localCivilTime(std::int64_t utcMillis);

}  // namespace quorstat::service
