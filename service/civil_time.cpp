#include "service/civil_time.h"

#include <fmt/format.h>

#include <chrono>
#include <ctime>

namespace quorstat::service {
namespace {

using namespace std::chrono;

sys_days dayOf(CivilSeconds time) {
    return floor<days>(sys_seconds{seconds{time}});
}

// Reads `count` decimal digits at `pos`; -1 when any of them is not a digit.
int digitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string formatDateTime(CivilSeconds time) {
    const sys_days day = dayOf(time);
    const year_month_day date{day};
    const hh_mm_ss clock{seconds{time} - day.time_since_epoch()};
    return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02}", static_cast<int>(date.year()),
                       static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                       clock.hours().count(), clock.minutes().count(), clock.seconds().count());
}

std::optional<CivilSeconds> parseDateTime(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const int fields[] = {digitsAt(text, 0, 4),  digitsAt(text, 5, 2),  digitsAt(text, 8, 2),
                          digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2)};
    for (const int field : fields)
        if (field < 0)
            return std::nullopt;
    const year_month_day date{year{fields[0]}, month{static_cast<unsigned>(fields[1])},
                              day{static_cast<unsigned>(fields[2])}};
    if (!date.ok() || fields[3] > 23 || fields[4] > 59 || fields[5] > 59)
        return std::nullopt;
    return sys_days{date}.time_since_epoch() / seconds{1} + fields[3] * 3600 + fields[4] * 60 +
           fields[5];
}

std::string formatTimeOfDay(CivilSeconds seconds) {
    const CivilSeconds inDay = ((seconds % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
    return fmt::format("{:02}:{:02}:{:02}", inDay / 3600, inDay / 60 % 60, inDay % 60);
}

CivilSeconds dayStart(CivilSeconds time) {
    return dayOf(time).time_since_epoch() / seconds{1};
}

int issueDate(CivilSeconds time) {
    const year_month_day date{dayOf(time)};
    return (static_cast<int>(date.year()) % 100) * 10000 +
           static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
           static_cast<int>(static_cast<unsigned>(date.day()));
}

std::optional<CivilSeconds> issueDateStart(int yymmdd) {
    if (yymmdd < 0 || yymmdd > 991231)
        return std::nullopt;
    const year_month_day date{year{2000 + yymmdd / 10000},
                              month{static_cast<unsigned>(yymmdd / 100 % 100)},
                              day{static_cast<unsigned>(yymmdd % 100)}};
    if (!date.ok())
        return std::nullopt;
    return sys_days{date}.time_since_epoch() / seconds{1};
}

CivilSeconds weekStart(CivilSeconds time) {
    const sys_days day = dayOf(time);
    return (day - (weekday{day} - Monday)).time_since_epoch() / seconds{1};
}

CivilSeconds monthStart(CivilSeconds time) {
    const year_month_day date{dayOf(time)};
    return sys_days{date.year() / date.month() / 1}.time_since_epoch() / seconds{1};
}

CivilSeconds localCivilTime(std::int64_t utcMillis) {
    const std::time_t utc =
        static_cast<std::time_t>(floor<seconds>(milliseconds{utcMillis}).count());
    std::tm local{};
    localtime_r(&utc, &local);
    return static_cast<CivilSeconds>(utc) + local.tm_gmtoff;
}

}  // namespace quorstat::service
