#include "net/date_time.h"

#include <algorithm>

#include "net/reply_text.h"

namespace quorstat {
namespace {

std::int32_t digitsWithout(std::string_view text, char separator) {
    std::string digits(text);
    std::erase(digits, separator);
    return ReadInt(digits);
}

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool isPlausible(const DateTime& value) {
    return value.year >= 1900 && value.year <= 9999 && value.month >= 1 && value.month <= 12 &&
           value.day >= 1 && value.day <= daysInMonth(value.year, value.month) &&
           value.hour <= 23 && value.minute <= 59 && value.second <= 59;
}

}  // namespace

std::time_t DateTime::toTimeT() const {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

DateTime ParseDateTime(std::string_view text) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos)
        return {};
    const std::int32_t date = digitsWithout(text.substr(0, space), '-');
    const std::int32_t time = digitsWithout(text.substr(space + 1), ':');
    if (date < 0 || time < 0)
        return {};
    DateTime value{date / 10000,     date / 100 % 100, date % 100, time / 10000,
                   time / 100 % 100, time % 100,       true};
    // A date the calendar does not know would be rolled into another one by mktime.
    if (!isPlausible(value))
        return {};
    return value;
}

std::string FormatDateTime(std::time_t time) {
    std::tm parts{};
    localtime_r(&time, &parts);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return std::string(text, length);
}

}  // namespace quorstat
